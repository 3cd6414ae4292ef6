#include "gedcom/GedcomRecords.h"

#include "genealogy/Vocabulary.h"

namespace {

bool is(const QString& tag, const char* name)
{
    return tag == QLatin1String(name);
}

// A value that looks like a pointer is still text where text is expected.
QString valueOf(const GedcomLine& line)
{
    return line.pointer.isEmpty() ? line.value : QLatin1Char('@') + line.pointer + QLatin1Char('@');
}

GedcomSex sexOf(const QString& value)
{
    const QString v = value.trimmed();
    if (v == QLatin1String("M"))
        return GedcomSex::Male;
    if (v == QLatin1String("F"))
        return GedcomSex::Female;
    return GedcomSex::Unknown;
}

const QString noteTitle = QStringLiteral("Примечание");

} // namespace

void GedcomRecords::Person::clear()
{
    xref.clear();
    names.clear();
    sex = GedcomSex::Unknown;
    events.clear();
    comments.clear();
    media.clear();
}

GedcomRecords::GedcomRecords(GedcomStoreWriter& writer, GedcomSummary& summary) : writer_(writer), summary_(summary) {}

void GedcomRecords::start(int importBase)
{
    lastPerson_ = importBase;
}

void GedcomRecords::line(const GedcomLine& line)
{
    if (skipLevel_ >= 0) {
        if (line.level > skipLevel_)
            return;
        skipLevel_ = -1;
    }
    const bool cont = is(line.tag, "CONT");
    if (cont || is(line.tag, "CONC")) {
        if (sink_ && line.level == sinkLevel_ + 1) {
            if (cont)
                sink_->append(QLatin1Char('\n'));
            sink_->append(valueOf(line));
        } else {
            unread(line);
        }
        return;
    }
    sink_ = nullptr;
    if (line.level == 0) {
        endRecord();
        startRecord(line);
        return;
    }
    switch (record_) {
    case Record::Individual:
        individualLine(line);
        break;
    case Record::Family:
        familyLine(line);
        break;
    case Record::Note:
        unread(line);
        break;
    case Record::Media:
        mediaRecordLine(line);
        break;
    case Record::None:
        unread(line);
        break;
    case Record::Header:
    case Record::Skipped:
        break;
    }
}

void GedcomRecords::startRecord(const GedcomLine& line)
{
    part_ = subPart_ = Part::None;
    const QString& tag = line.tag;
    if (is(tag, "INDI")) {
        record_ = Record::Individual;
        person_.clear();
        person_.xref = line.xref;
        personNumber_ = ++lastPerson_;
    } else if (is(tag, "FAM")) {
        record_ = Record::Family;
        Family family;
        family.firstChild = family.endChild = std::uint32_t(children_.size());
        families_.push_back(family);
    } else if (is(tag, "NOTE") && !line.xref.isEmpty()) {
        record_ = Record::Note;
        define(line.xref, Target::Note, int(noteRecords_.size()));
        noteRecords_.push_back(line.value);
        sink(&noteRecords_.back(), 0);
    } else if (is(tag, "OBJE") && !line.xref.isEmpty()) {
        record_ = Record::Media;
        define(line.xref, Target::Media, int(mediaRecords_.size()));
        mediaRecords_.emplace_back();
    } else if (is(tag, "HEAD") || is(tag, "TRLR")) {
        record_ = Record::Header;  // the character set is read before; the rest is about the file
        skipUnder(0);
    } else {
        record_ = Record::Skipped;
        unread(line);
    }
}

void GedcomRecords::endRecord()
{
    if (record_ == Record::Individual)
        storePerson();
    record_ = Record::None;
}

void GedcomRecords::endOfFile()
{
    endRecord();
}

void GedcomRecords::unread(const GedcomLine& line)
{
    summary_.skip(line.tag.isEmpty() ? QStringLiteral("@") : line.tag);
    skipUnder(line.level);
}

int GedcomRecords::symbol(const QString& xref)
{
    const int id = symbols_.numberOf(xref);
    if (id == int(targets_.size()))
        targets_.push_back({});
    return id;
}

void GedcomRecords::define(const QString& xref, Target::Kind kind, int value)
{
    if (xref.isEmpty())
        return;
    Target& target = targets_[std::size_t(symbol(xref))];
    if (target.kind != Target::None) {
        ++summary_.repeatedXrefs;  // pointers keep to the first record
        return;
    }
    target = {kind, value};
}

int GedcomRecords::personOf(int symbol)
{
    if (symbol < 0)
        return 0;
    const Target& target = targets_[std::size_t(symbol)];
    if (target.kind == Target::Person)
        return target.value;
    ++summary_.danglingPointers;
    return 0;
}

void GedcomRecords::individualLine(const GedcomLine& line)
{
    Person& p = person_;
    if (line.level > 1) {
        switch (part_) {
        case Part::Name:
            if (line.level == 2)
                nameLine(p.names.back(), line);
            else
                unread(line);
            return;
        case Part::Event:
            eventLine(p.events.back(), line, 1);
            return;
        case Part::Attribute:
            if (line.level == 2 && (is(line.tag, "DATE") || is(line.tag, "PLAC"))) {
                QString& text = p.comments.back().text;
                if (!text.isEmpty())
                    text += QLatin1Char('\n');
                text += (is(line.tag, "DATE") ? QStringLiteral("Дата: ") : QStringLiteral("Место: ")) + line.value;
            } else {
                unread(line);
            }
            return;
        case Part::Note:
            if (line.level == 2 && is(line.tag, "_TITL"))
                p.comments.back().title = line.value;
            else
                unread(line);
            return;
        case Part::Media:
            mediaLine(p.media, objeStart_, line, 1);
            return;
        default:
            unread(line);
            return;
        }
    }
    part_ = subPart_ = Part::None;
    const QString& tag = line.tag;
    if (is(tag, "NAME")) {
        p.names.emplace_back();
        p.names.back().value = valueOf(line);
        part_ = Part::Name;
    } else if (is(tag, "SEX")) {
        p.sex = sexOf(line.value);
    } else if (const EventKind* kind = individualEvent(tag)) {
        p.events.push_back({kind, tag, kind->type, {}, {}, kind->role, {}, false, {}});
        part_ = Part::Event;
    } else if (const AttributeKind* attribute = attributeOfTag(tag)) {
        p.comments.push_back({attribute->title, valueOf(line)});
        sink(&p.comments.back().text, 1);
        part_ = Part::Attribute;
    } else if (is(tag, "NOTE")) {
        p.comments.push_back({noteTitle, line.value, line.pointer.isEmpty() ? -1 : symbol(line.pointer)});
        sink(&p.comments.back().text, 1);
        part_ = Part::Note;
    } else if (is(tag, "OBJE")) {
        objeStart_ = p.media.size();
        objeTitle_.clear();
        if (!line.pointer.isEmpty())
            p.media.push_back({{}, {}, symbol(line.pointer)});
        part_ = line.pointer.isEmpty() ? Part::Media : Part::None;
    } else if (is(tag, "FAMS") || is(tag, "FAMC")) {
        skipUnder(1);  // the families say the same
    } else {
        unread(line);
    }
}

void GedcomRecords::nameLine(GedcomNameLines& n, const GedcomLine& line)
{
    const QString& tag = line.tag;
    const QString& v = line.value;
    if (is(tag, "GIVN"))
        n.givn = v;
    else if (is(tag, "SURN"))
        n.surn = v;
    else if (is(tag, "NPFX"))
        n.npfx = v;
    else if (is(tag, "NSFX"))
        n.nsfx = v;
    else if (is(tag, "NICK"))
        n.nick = v;
    else if (is(tag, "TYPE"))
        n.type = v;
    else if (is(tag, "_GIVEN"))
        n.given = v;
    else if (is(tag, "_PATR"))
        n.patronymic = v;
    else if (is(tag, "_FAMILY"))
        n.family = v;
    else if (is(tag, "_TEXT"))
        n.text = v;
    else if (is(tag, "_TYPE"))
        n.ownType = v;
    else if (is(tag, "_SEX"))
        n.sex = v;
    else
        unread(line);
}

void GedcomRecords::eventLine(Event& event, const GedcomLine& line, int base)
{
    const QString& tag = line.tag;
    if (line.level == base + 1) {
        subPart_ = Part::None;
        if (is(tag, "DATE")) {
            event.date = line.value;
            sink(&event.date, line.level);
            subPart_ = Part::Date;
        } else if (is(tag, "PLAC")) {
            event.place = line.value;
            sink(&event.place, line.level);
        } else if (is(tag, "TYPE") && event.kind->type.isEmpty()) {
            event.type = line.value;
        } else if (is(tag, "_ROLE")) {
            event.role = line.value;
        } else if (is(tag, "_PART") && !line.pointer.isEmpty()) {
            event.others.emplace_back(symbol(line.pointer), Role::Unknown);
            subPart_ = Part::Participant;
        } else if (is(tag, "_NOEVENT")) {
            event.fieldsOnly = true;
        } else {
            unread(line);
        }
    } else if (line.level == base + 2 && subPart_ == Part::Date && is(tag, "_DATE")) {
        event.exactDate = line.value;
    } else if (line.level == base + 2 && subPart_ == Part::Participant && is(tag, "_ROLE")) {
        event.others.back().second = line.value;
    } else {
        unread(line);
    }
}

void GedcomRecords::mediaLine(std::vector<Media>& media, std::size_t first, const GedcomLine& line, int base)
{
    const QString& tag = line.tag;
    if (line.level == base + 1) {
        subPart_ = Part::None;
        if (is(tag, "FILE")) {
            media.push_back({objeTitle_, valueOf(line)});
            sink(&media.back().path, line.level);
            subPart_ = Part::MediaFile;
        } else if (is(tag, "TITL")) {
            objeTitle_ = line.value;
            for (std::size_t i = first; i < media.size(); ++i)
                if (media[i].title.isEmpty())
                    media[i].title = line.value;
        } else if (is(tag, "FORM")) {
            skipUnder(line.level);
        } else {
            unread(line);
        }
    } else if (line.level == base + 2 && subPart_ == Part::MediaFile && is(tag, "TITL")) {
        media.back().title = line.value;
    } else if (line.level == base + 2 && subPart_ == Part::MediaFile && is(tag, "FORM")) {
        skipUnder(line.level);
    } else {
        unread(line);
    }
}

void GedcomRecords::mediaRecordLine(const GedcomLine& line)
{
    MediaRecord& record = mediaRecords_.back();
    if (line.level == 1 && is(line.tag, "FILE")) {
        record.paths.push_back(valueOf(line));
        sink(&record.paths.back(), 1);
        subPart_ = Part::MediaFile;
    } else if (is(line.tag, "TITL") && (line.level == 1 || (line.level == 2 && subPart_ == Part::MediaFile))) {
        if (record.title.isEmpty() || line.level == 1)
            record.title = line.value;
    } else if (is(line.tag, "FORM")) {
        skipUnder(line.level);
    } else {
        unread(line);
    }
}

void GedcomRecords::familyLine(const GedcomLine& line)
{
    Family& family = families_.back();
    auto extra = [&]() -> FamilyExtra& {
        if (family.extra < 0) {
            family.extra = int(familyExtras_.size());
            familyExtras_.emplace_back();
        }
        return familyExtras_[std::size_t(family.extra)];
    };
    const QString& tag = line.tag;
    if (line.level > 1) {
        if (part_ == Part::Event)
            eventLine(extra().events.back(), line, 1);
        else if (part_ == Part::Note && line.level == 2 && is(tag, "_TITL"))
            extra().notes.back().title = line.value;
        else
            unread(line);
        return;
    }
    part_ = subPart_ = Part::None;
    const bool husband = is(tag, "HUSB");
    if (husband || is(tag, "WIFE")) {
        int& spouse = husband ? family.husband : family.wife;
        if (line.pointer.isEmpty() || spouse >= 0)
            unread(line);
        else
            spouse = symbol(line.pointer);
    } else if (is(tag, "CHIL")) {
        if (line.pointer.isEmpty()) {
            unread(line);
            return;
        }
        children_.push_back(symbol(line.pointer));
        family.endChild = std::uint32_t(children_.size());
    } else if (const EventKind* kind = familyEvent(tag)) {
        extra().events.push_back({kind, tag, kind->type, {}, {}, kind->role, {}, false, {}});
        part_ = Part::Event;
    } else if (is(tag, "NOTE")) {
        FamilyExtra& e = extra();
        e.notes.push_back({noteTitle, line.value, line.pointer.isEmpty() ? -1 : symbol(line.pointer)});
        sink(&e.notes.back().text, 1);
        part_ = Part::Note;
    } else {
        unread(line);
    }
}

void GedcomRecords::storePerson()
{
    GedcomPersonRow row;
    row.number = personNumber_;
    row.sex = person_.sex;
    define(person_.xref, Target::Person, row.number);
    storeNames(row.number, row);
    bool birth = false, death = false;
    for (const Event& e : person_.events) {
        const QString& date = e.exactDate ? *e.exactDate : e.date;
        if (!birth && is(e.tag, "BIRT")) {
            birth = true;
            row.birthDate = date;
            row.birthPlace = e.place;
        } else if (!death && is(e.tag, "DEAT")) {
            death = true;
            row.deathDate = date;
            row.deathPlace = e.place;
        }
    }
    writer_.person(row);
    for (const Event& e : person_.events)
        if (!e.fieldsOnly)
            storeEvent(e, {{row.number, &e.role}});
    for (const Comment& c : person_.comments)
        storeComment(row.number, c);
    for (const Media& m : person_.media) {
        if (m.symbol >= 0)
            media_.push_back({row.number, m.symbol, {}});
        else
            writer_.media(row.number, m.title, m.path);
    }
}

void GedcomRecords::storeNames(int number, GedcomPersonRow& row)
{
    if (person_.names.empty())
        return;
    const GedcomNameLines& first = person_.names.front();
    const GedcomNameRead main = readGedcomName(first);
    row.parts = main.parts;
    if (main.lossy)
        writer_.name(number, DefaultNameType, gedcomWholeName(first), person_.sex);
    for (std::size_t i = 1; i < person_.names.size(); ++i) {
        const GedcomNameLines& n = person_.names[i];
        const QString type = n.ownType ? *n.ownType : n.type.trimmed().isEmpty() ? DefaultNameType
                                                                                : nameTypeOfGedcom(n.type.trimmed());
        writer_.name(number, type, gedcomNameText(n, readGedcomName(n)), n.sex ? sexOf(*n.sex) : person_.sex);
    }
}

void GedcomRecords::storeEvent(const Event& event, std::initializer_list<std::pair<int, const QString*>> members)
{
    const int id = writer_.event(event.type, event.exactDate ? *event.exactDate : event.date, event.place);
    for (const auto& [person, role] : members)
        if (person)
            writer_.participant(id, person, *role);
    for (const auto& [symbol, role] : event.others)
        participants_.push_back({id, symbol, role});
}

void GedcomRecords::storeComment(int owner, const Comment& comment)
{
    if (comment.symbol >= 0)
        notes_.push_back({owner, comment.symbol, comment.title});
    else
        writer_.comment(owner, comment.title, comment.text);
}

void GedcomRecords::storeFamily(const Family& family)
{
    const int husband = personOf(family.husband);
    const int wife = personOf(family.wife);
    if (husband && wife)
        writer_.link(husband, wife, LinkKind::Spouses);
    for (std::uint32_t c = family.firstChild; c < family.endChild; ++c) {
        const int child = personOf(children_[c]);
        if (child && husband)
            writer_.link(husband, child, LinkKind::ParentOf);
        if (child && wife)
            writer_.link(wife, child, LinkKind::ParentOf);
    }
    if (family.extra < 0)
        return;
    const FamilyExtra& extra = familyExtras_[std::size_t(family.extra)];
    if (!husband && !wife) {
        for (const Event& e : extra.events)
            summary_.skip(e.tag);
        for (std::size_t i = 0; i < extra.notes.size(); ++i)
            summary_.skip(QStringLiteral("NOTE"));
        return;
    }
    for (const Event& e : extra.events)
        storeEvent(e, {{husband, &Role::Husband}, {wife, &Role::Wife}});
    for (const Comment& note : extra.notes)
        for (const int spouse : {husband, wife})
            if (spouse)
                storeComment(spouse, note);
}

void GedcomRecords::resolve()
{
    for (const Family& family : families_)
        storeFamily(family);
    for (const Pending& p : participants_)
        if (const int person = personOf(p.symbol))
            writer_.participant(p.owner, person, p.text);
    for (const Pending& p : notes_) {
        const Target& target = targets_[std::size_t(p.symbol)];
        if (target.kind == Target::Note)
            writer_.comment(p.owner, p.text, noteRecords_[std::size_t(target.value)]);
        else
            ++summary_.danglingPointers;
    }
    for (const Pending& p : media_) {
        const Target& target = targets_[std::size_t(p.symbol)];
        if (target.kind != Target::Media) {
            ++summary_.danglingPointers;
            continue;
        }
        const MediaRecord& record = mediaRecords_[std::size_t(target.value)];
        for (const QString& path : record.paths)
            writer_.media(p.owner, record.title, path);
    }
    families_.clear();
    children_.clear();
    familyExtras_.clear();
    participants_.clear();
    notes_.clear();
    media_.clear();
}
