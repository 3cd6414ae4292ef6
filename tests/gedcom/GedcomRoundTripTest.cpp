#include "GedcomFixture.h"
#include "dialogs/DatePhrase.h"
#include "gedcom/GedcomExport.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace {

// A tree as item-by-item texts that do not depend on person numbers, event ids
// or row order: persons by their place in ascending number, and per person
// its fields, events (with the other participants by place), names, comments and media.
QStringList treeModel(const GenealogyStore& s)
{
    const RecordTable& persons = s.persons;
    std::vector<std::pair<int, RowId>> order;
    for (int p = 0; p < persons.recordCount(); ++p)
        order.emplace_back(persons.integerAt(persons.rowAt(p), PersonField::num), persons.rowAt(p));
    std::sort(order.begin(), order.end());
    std::map<int, int> place;
    for (std::size_t k = 0; k < order.size(); ++k)
        place[order[k].first] = int(k) + 1;
    auto at = [&](int number) { return place.count(number) ? place[number] : 0; };
    QStringList out;
    for (const auto& [number, row] : order) {
        const bool unknown = persons.booleanAt(row, PersonField::sexnotset);
        QStringList fields{QString::number(at(number)), unknown ? "U" : persons.booleanAt(row, PersonField::sex) ? "M" : "F"};
        for (int f : {PersonField::fam, PersonField::name, PersonField::surname, PersonField::birth_date,
                      PersonField::birth_place, PersonField::death_date, PersonField::death_place})
            fields << persons.stringAt(row, f);
        out << "person " + fields.join('|');
    }
    std::set<QString> links;  // a set: a link stored twice goes out, and comes back, once
    for (const QList<int>& l : linkTriples(s.links))
        if (at(l[0]) && at(l[1]))
            links.insert(QStringLiteral("link %1 %2 %3")
                       .arg(l[2] == LinkKind::Spouses ? std::min(at(l[0]), at(l[1])) : at(l[0]))
                       .arg(l[2] == LinkKind::Spouses ? std::max(at(l[0]), at(l[1])) : at(l[1]))
                       .arg(l[2]));
    for (const QString& link : links)
        out << link;
    std::map<int, QStringList> members;  // event id → "place:role"
    for (int p = 0; p < s.participants.recordCount(); ++p) {
        const RowId r = s.participants.rowAt(p);
        if (const int k = at(s.participants.integerAt(r, ParticipantField::owner)))
            members[s.participants.integerAt(r, ParticipantField::id)]
                << QStringLiteral("%1:%2").arg(k).arg(s.participants.stringAt(r, ParticipantField::function));
    }
    for (int p = 0; p < s.events.recordCount(); ++p) {
        const RowId r = s.events.rowAt(p);
        QStringList who = members[s.events.integerAt(r, EventField::id)];
        if (who.isEmpty())
            continue;
        who.sort();
        out << "event " + QStringList{s.events.stringAt(r, EventField::type), s.events.stringAt(r, EventField::date),
                                      s.events.stringAt(r, EventField::place), who.join(',')}
                              .join('|');
    }
    for (int p = 0; p < s.names.recordCount(); ++p) {
        const RowId r = s.names.rowAt(p);
        if (const int k = at(s.names.integerAt(r, NameField::owner)))
            out << QStringLiteral("name %1|%2|%3|%4|%5")
                       .arg(k)
                       .arg(s.names.stringAt(r, NameField::NameType), s.names.stringAt(r, NameField::name))
                       .arg(s.names.booleanAt(r, NameField::sex))
                       .arg(s.names.booleanAt(r, NameField::sexnotset));
    }
    for (int p = 0; p < s.notes.recordCount(); ++p) {
        const RowId r = s.notes.rowAt(p);
        if (const int k = at(s.notes.integerAt(r, NoteField::Owner)))
            out << QStringLiteral("%1 %2|%3|%4")
                       .arg(s.notes.booleanAt(r, NoteField::OwnerType) ? "comment" : "media")
                       .arg(k)
                       .arg(s.notes.stringAt(r, NoteField::header), s.notes.stringAt(r, NoteField::data));
    }
    out.sort();
    return out;
}

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}
    int below(int n) { return int(rng_() % unsigned(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString pick(const QStringList& from) { return from[below(int(from.size()))]; }

private:
    std::mt19937 rng_;
};

const QStringList someDates{ComposeDatePhrase("В", {1, 2, 1900}, {1, 2, 1900}),
                            ComposeDatePhrase("ДО", {0, 0, -44}, {0, 0, -44}),
                            ComposeDatePhrase("МЕЖДУ", {0, 0, 1900}, {3, 4, 1910}),
                            ComposeDatePhrase("ИЛИ", {0, 0, 1900}, {0, 0, 1901}),
                            ComposeDatePhrase("В", {31, 2, 1900}, {31, 2, 1900}),
                            ComposeDatePhrase("ОКОЛО", {0, 0, 1850}, {0, 0, 1850}),
                            "12 MAR 1900", "ABT 1850 ", "@#DJULIAN@ 1700", "@#DFRENCH R@ 1 VEND 10",
                            "INT 1900 (примерно)", "весна 1900", "a@b", "", ""};
const QStringList somePlaces{"Москва", "Санкт-Петербург, Россия", "a@@b 😀", "", "Тула  "};
const QStringList someTypes{"Рождение", "Смерть", "Свадьба", "Крещение", "Похороны", "Развод", "Перепись",
                            "Переезд", "", "Выход на пенсию"};
const QStringList someRoles{"Новорожденный", "Умерший", "Неизвестна", "Муж", "Жена", "Жених", "Свидетель", ""};

// An Arbolitus tree with every kind of row; texts are those a GEDCOM line can carry.
void richTree(GenealogyStore& s, int count, unsigned seed)
{
    Random r(seed);
    const QStringList fams{"Сидоров", "/Иванов/", "Ли@", "O'Brien", "", "Римский Корсаков", "/"};
    const QStringList names{"Иван", "@лиса", "Анна", "Eve", "", "Анна Мария", "Jean-Luc"};
    std::vector<int> numbers;
    for (int k = 0; k < count; ++k)
        numbers.push_back(3 * k + 1 + r.below(3));  // gaps between numbers
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(seed));
    int note = 0;
    for (int n : numbers) {
        const int sex = r.below(3);
        s.persons.insertRecord({n, r.pick(fams), r.pick(names), r.chance(50) ? r.pick(names) + "ович" : QString(),
                                QString(), sex == 0, r.pick(someDates), r.pick(somePlaces), r.pick(someDates),
                                r.pick(somePlaces), sex == 2 ? FieldValue(true) : FieldValue()});
        for (int i = r.below(3); i > 0; --i) {
            const bool unknownSex = r.chance(20);  // as the name dialog stores it: no sex then
            s.names.insertRecord({r.pick({"Девичье", "Альтернативное", "Церковное", "Nickname", "aka", ""}),
                                  unknownSex ? FieldValue() : FieldValue(r.chance(50)),
                                  r.pick({"Петрова Анна Ивановна", "Анна", " Анна  ", "Фон Берг Карл Jr."}), n, unknownSex});
        }
        for (int i = r.below(3); i > 0; --i)
            s.notes.insertRecord({n, true, r.pick({"Профессия", "Примечание", "Служба", "", "Титул"}),
                                  r.pick({"Кузнец", "строка\nещё строка\n\nконец ", "Ж@" + QString("😀").repeated(120), ""}),
                                  note++});
        if (r.chance(30))
            s.notes.insertRecord({n, false, r.pick({"Фото", ""}), "/home/я/фото @" + QString::number(n) + ".JPEG", note++});
    }
    for (int i = 0; i < count; ++i) {
        const int a = numbers[std::size_t(r.below(count))], b = numbers[std::size_t(r.below(count))];
        switch (r.below(3)) {
        case 0:
            s.links.insertRecord({a, b, LinkKind::Spouses});
            break;
        case 1:
            s.links.insertRecord({a, b, LinkKind::ParentOf});
            break;
        default: {
            const int id = 1000 + i;
            s.events.insertRecord({id, r.pick(someTypes), r.pick(someDates).left(29), r.pick(somePlaces)});
            for (int k = 1 + r.below(3); k > 0; --k)
                s.participants.insertRecord({id, numbers[std::size_t(r.below(count))], r.pick(someRoles)});
        }
        }
    }
    // Births and deaths that are the persons' own, as the event dialog writes them.
    for (int k = 0; k < count; k += 3) {
        const int n = numbers[std::size_t(k)];
        s.persons.locate(PersonField::num, n);
        s.events.insertRecord({5000 + k, "Рождение", s.persons.asString(PersonField::birth_date).left(29),
                               s.persons.asString(PersonField::birth_place)});
        s.participants.insertRecord({5000 + k, n, "Новорожденный"});
    }
}

// A file as other programs write them: any xref style, families before or after
// their members, names, events, attributes, notes and media of every kind.
struct ForeignFile {
    QByteArray text;
    std::set<QList<int>> links;  // by place of the INDI record, from 1
};

ForeignFile foreignFile(int count, unsigned seed)
{
    Random r(seed);
    const QStringList styles{"I%1", "I%1", "P%1", "@", "x%1y", "I000%1"};
    const QString style = r.pick(styles);
    auto xref = [&](int k) { return style == "@" ? QString(QChar(u'a' + k % 26)).repeated(1 + k / 26) : style.arg(k); };
    QStringList individuals, families, others;
    for (int k = 1; k <= count; ++k) {
        QString t = QStringLiteral("0 @%1@ INDI\n").arg(xref(k));
        t += r.pick({"1 NAME Иван Петрович /Сидоров/\n", "1 NAME /Berg/ Anna Maria\n", "1 NAME Karl /Berg/ Sr.\n",
                     "1 NAME Анна\n", "1 NAME Jean Luc Picard\n2 GIVN Jean Luc\n2 SURN Picard\n", ""});
        if (r.chance(30))
            t += "1 NAME Анюта /Иванова/\n2 TYPE " + r.pick({"aka", "married", "religious"}) + "\n";
        t += r.pick({"1 SEX M\n", "1 SEX F\n", "1 SEX U\n", ""});
        for (const QString tag : {"BIRT", "CHR", "DEAT", "BURI", "RESI", "OCCU", "EVEN", "GRAD", "BIRT"})
            if (r.chance(35)) {
                t += "1 " + tag + (tag == "OCCU" ? " Кузнец" : "") + (r.chance(20) ? " Y" : "") + "\n";
                if (tag == "EVEN")
                    t += "2 TYPE Переезд\n";
                if (r.chance(60))
                    t += "2 DATE " + r.pick({"12 JAN 1900", "@#DJULIAN@ 1700", "ABT 1850", "BET 1900 AND 1910", "1901"}) + "\n";
                if (r.chance(50))
                    t += "2 PLAC " + r.pick({"Москва", "Тула, Россия"}) + "\n";
                if (r.chance(20))
                    t += "2 SOUR @S1@\n";
            }
        if (r.chance(30))
            t += "1 NOTE Своя заметка\n2 CONT вторая строка\n2 CONC  и хвост\n";
        if (r.chance(30))
            t += "1 NOTE @N1@\n";
        if (r.chance(30))
            t += "1 OBJE\n2 FILE фото" + QString::number(k) + ".jpg\n3 TITL Портрет\n";
        if (r.chance(30))
            t += "1 OBJE @O1@\n";
        if (r.chance(20))
            t += "1 CHAN\n2 DATE 1 JAN 2000\n";
        individuals << t;
    }
    ForeignFile out;
    for (int f = 1; f <= count / 2; ++f) {
        const int husband = 1 + r.below(count), wife = 1 + r.below(count);
        QStringList lines{QStringLiteral("1 HUSB @%1@\n").arg(xref(husband)), QStringLiteral("1 WIFE @%1@\n").arg(xref(wife))};
        out.links.insert({husband, wife, LinkKind::Spouses});
        for (int c = r.below(3); c > 0; --c) {
            const int child = 1 + r.below(count);
            lines << QStringLiteral("1 CHIL @%1@\n").arg(xref(child));
            out.links.insert({husband, child, LinkKind::ParentOf});
            out.links.insert({wife, child, LinkKind::ParentOf});
        }
        std::shuffle(lines.begin(), lines.end(), std::mt19937(seed + unsigned(f)));
        QString t = QStringLiteral("0 @F%1@ FAM\n").arg(f) + lines.join(QString());
        if (r.chance(40))
            t += "1 MARR\n2 DATE 1 JUN 1920\n2 PLAC Тула\n";
        if (r.chance(20))
            t += "1 DIV\n";
        if (r.chance(20))
            t += "1 NOTE Семейная\n";
        families << t;
    }
    others << "0 @N1@ NOTE Общая\n1 CONT заметка\n" << "0 @O1@ OBJE\n1 FILE /дом/план.pdf\n2 TITL План\n"
           << "0 @S1@ SOUR\n1 TITL Книга\n";
    QStringList records = individuals + families + others;
    if (r.chance(50))
        records = families + others + individuals;
    out.text = ("0 HEAD\n1 CHAR UTF-8\n" + records.join(QString()) + "0 TRLR\n").toUtf8();
    return out;
}

// Names the lines one model has and the other has not, rather than printing both whole.
void expectSameModel(const QStringList& is, const QStringList& was, unsigned seed)
{
    EXPECT_EQ(is.size(), was.size()) << "seed " << seed;
    for (const QString& line : was)
        if (!is.contains(line))
            ADD_FAILURE() << "seed " << seed << " lost: " << qPrintable(line);
    for (const QString& line : is)
        if (!was.contains(line))
            ADD_FAILURE() << "seed " << seed << " new: " << qPrintable(line);
}

std::set<QList<int>> linkSet(const RecordTable& links)
{
    std::set<QList<int>> out;
    for (const QList<int>& l : linkTriples(links))
        out.insert(l);
    return out;
}

} // namespace

TEST_F(Gedcom, ArbolitusToGedcomAndBackGivesTheSameTree)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        GenealogyStore source;
        richTree(source, 40, seed);
        QByteArray file;
        writeGedcom(source, file);
        store.emptyForNewTree();
        store.names.emptyTable();
        store.notes.emptyTable();
        ASSERT_TRUE(import(file)) << error.toStdString();
        expectSameModel(treeModel(store), treeModel(source), seed);
    }
}

TEST_F(Gedcom, FilesOfOtherProgramsLinkRightAndComeBackThroughGedcomOut)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const ForeignFile foreign = foreignFile(30, seed);
        store.emptyForNewTree();
        store.names.emptyTable();
        store.notes.emptyTable();
        ASSERT_TRUE(import(foreign.text)) << error.toStdString();
        EXPECT_EQ(linkSet(store.links), foreign.links) << "seed " << seed;
        QByteArray file;
        writeGedcom(store, file);
        const QStringList was = treeModel(store);
        store.emptyForNewTree();
        store.names.emptyTable();
        store.notes.emptyTable();
        ASSERT_TRUE(import(file)) << error.toStdString();
        expectSameModel(treeModel(store), was, seed);
    }
}
