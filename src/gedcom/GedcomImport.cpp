#include "gedcom/GedcomImport.h"

#include "gedcom/GedcomLine.h"
#include "gedcom/GedcomText.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace {

// A bad word is quoted in a message box; a line of megabytes must not be.
QString quoted(QStringView text)
{
    constexpr qsizetype shown = 40;
    if (text.size() <= shown)
        return QLatin1Char('\'') + text.toString() + QLatin1Char('\'');
    return QLatin1Char('\'') + text.left(shown).toString() + QStringLiteral("…'");
}

QString notInteger(QStringView text)
{
    return QStringLiteral("%1 не является целым числом").arg(quoted(text));
}

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Why a file could not be opened, in words the user knows.
QString openFailure(const QFileInfo& info, const QFile& file)
{
    if (!info.exists())
        return QStringLiteral("файл не найден");
    if (info.isDir())
        return QStringLiteral("это папка, а не файл");
    if (file.error() == QFileDevice::PermissionsError)
        return QStringLiteral("нет прав на чтение");
    return file.errorString();
}

// Progress is told in steps of this many bytes, not at every line.
constexpr qint64 progressStep = 256 * 1024;

} // namespace

GedcomImport::GedcomImport(GenealogyStore& store, GedcomImportHost& host) : store_(store), host_(host) {}

void GedcomImport::begin()
{
    RecordTable& persons = store_.persons;
    persons.disableControls();
    suspended_ = true;
    persons.setFiltered(false);
    persons.sortOnField(PersonField::num, true, false);
    persons.last();
    importBase_ = persons.isEmpty() ? 0 : persons.asInteger(PersonField::num);
    n_ = importBase_;

    RecordTable& events = store_.events;
    if (!events.isEmpty()) {
        events.sortOnField(EventField::id, true, false);
        events.last();
        eventCounter_ = events.asInteger(EventField::id);
    } else {
        eventCounter_ = 1;
    }
    first_ = true;
    pending_ = PendingPerson();
    husband_ = wife_ = -1;
    birthSeen_ = deathSeen_ = false;
}

bool GedcomImport::readFile(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    // A directory opens on some systems; reading it is never what the user meant.
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("Не удалось открыть файл %1: %2").arg(info.fileName(), openFailure(info, file));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        // Half a file would be imported as if it were the whole: nothing is read instead.
        error_ = QStringLiteral("Не удалось прочитать файл %1: %2").arg(info.fileName(), file.errorString());
        return false;
    }
    file.close();
    return readData(bytes, info.fileName());
}

bool GedcomImport::readData(const QByteArray& file, const QString& fileName)
{
    fileName_ = fileName;
    if (file.isEmpty()) {
        error_ = QStringLiteral("Файл %1 пуст: в нём нет ни одной строки").arg(fileName);
        return false;
    }
    return readLines(prepareGedcomBytes(file));
}

void GedcomImport::fail(qint64 lineNumber, const QString& why)
{
    error_ = QStringLiteral("Строка %1 файла %2: %3").arg(lineNumber).arg(fileName_, why);
}

bool GedcomImport::readLines(const GedcomBytes& prepared)
{
    const QByteArray& file = prepared.bytes;
    qsizetype start = prepared.start;
    qint64 nextProgress = progressStep;
    host_.progress(0, file.size());
    QString text;
    for (qint64 lineNumber = 1; start < file.size(); ++lineNumber) {
        qsizetype end = file.indexOf('\n', start);
        if (end < 0)
            end = file.size();
        qsizetype stop = end;
        if (stop > start && file[stop - 1] == '\r')
            --stop;
        const QByteArrayView bytes(file.constData() + start, stop - start);
        start = end + 1;
        if (bytes.contains('\0')) {
            fail(lineNumber, QStringLiteral("нулевой байт: это не текстовый файл GEDCOM"));
            return false;
        }
        if (!decodeGedcomLine(bytes, prepared.charset, text)) {
            fail(lineNumber, QStringLiteral("байты, недопустимые в кодировке UTF-8"));
            return false;
        }
        if (!readLine(text, lineNumber))
            return false;
        if (start >= nextProgress) {
            host_.progress(start, file.size());
            nextProgress = start + progressStep;
        }
    }
    host_.progress(file.size(), file.size());

    if (!first_) {
        storePendingPerson(n_);
        storeEvents(n_);
    }
    return true;
}

bool GedcomImport::readLine(const QString& text, qint64 lineNumber)
{
    GedcomLine line;
    switch (ParseGedcomLine(text, line)) {
    case GedcomParse::Blank:
        return true;  // files often end with one; stopping there would lose the last individual
    case GedcomParse::BadLevel:
        fail(lineNumber, notInteger(gedcomWord(text, 1)));
        return false;
    case GedcomParse::Ok:
        break;
    }
    if (line.levelOnly || line.level < 0 || line.level > 5)
        return true;
    tagAtLevel_[line.level] = line.tag;

    if (line.level == 0 && line.tag == QLatin1String("INDI"))
        onIndividual();
    if (line.level == 0) {
        if (husband_ != -1 && wife_ != -1)
            store_.links.insertRecord({husband_, wife_, LinkKind::Spouses});
        husband_ = wife_ = -1;
    }
    bool ok = true;
    if (line.level == 1 && tagAtLevel_[0] == QLatin1String("FAM"))
        onFamilyLine(line, lineNumber, ok);
    if (line.level >= 1 && tagAtLevel_[0] == QLatin1String("INDI"))
        onIndividualLine(line);
    return ok;
}

void GedcomImport::onIndividual()
{
    ++n_;
    if (first_) {
        first_ = false;
    } else {
        storePendingPerson(n_ - 1);
        storeEvents(n_ - 1);
    }
    birthSeen_ = deathSeen_ = false;
    host_.setStatusText(QStringLiteral("Персонажей: ") + QString::number(n_));
    pending_ = PendingPerson();
}

bool GedcomImport::pointerNumber(const GedcomLine& line, qint64 lineNumber, int& number)
{
    bool ok = false;
    number = line.xref.toInt(&ok, 10);
    // The person's number is importBase + number, which must stay an int too.
    if (ok && number <= std::numeric_limits<int>::max() - importBase_)
        return true;
    if (ok || allDigits(line.xref))
        fail(lineNumber, QStringLiteral("число %1 слишком велико").arg(quoted(line.xref)));
    else
        fail(lineNumber, notInteger(line.xref));
    return false;
}

void GedcomImport::onFamilyLine(const GedcomLine& line, qint64 lineNumber, bool& ok)
{
    host_.setStatusText(QStringLiteral("Связей: ") + QString::number(store_.links.recordCount()));
    const bool husband = line.tag == QLatin1String("HUSB");
    const bool wife = line.tag == QLatin1String("WIFE");
    const bool child = line.tag == QLatin1String("CHIL");
    if (!husband && !wife && !child)
        return;
    int number = 0;
    if (!pointerNumber(line, lineNumber, number)) {
        ok = false;
        return;
    }
    const int person = importBase_ + number;
    if (husband)
        husband_ = person;
    else if (wife)
        wife_ = person;
    else {
        if (husband_ != -1)
            store_.links.insertRecord({husband_, person, LinkKind::ParentOf});
        if (wife_ != -1)
            store_.links.insertRecord({wife_, person, LinkKind::ParentOf});
    }
}

void GedcomImport::onIndividualLine(const GedcomLine& line)
{
    if (line.level == 1) {
        // The first name is the person's own; later ones are other names of the same person.
        if (line.tag == QLatin1String("NAME") && !pending_.named) {
            pending_.named = true;
            pending_.fam = gedcomWord(line.value, 3).toString();
            pending_.name = gedcomWord(line.value, 1).toString();
            pending_.surname = gedcomWord(line.value, 2).toString();
        } else if (line.tag == QLatin1String("SEX")) {
            pending_.sex = line.value == QLatin1String("M");
        }
        return;
    }
    if (line.level != 2)
        return;
    const bool date = line.tag == QLatin1String("DATE");
    const bool place = line.tag == QLatin1String("PLAC");
    if (tagAtLevel_[1] == QLatin1String("BIRT")) {
        birthSeen_ = true;
        if (date)
            pending_.birthDate = line.value;
        if (place)
            pending_.birthPlace = line.value;
        ++eventCounter_;
    } else if (tagAtLevel_[1] == QLatin1String("DEAT")) {
        deathSeen_ = true;
        if (date)
            pending_.deathDate = line.value;
        if (place)
            pending_.deathPlace = line.value;
        ++eventCounter_;
    }
}

void GedcomImport::storePendingPerson(int p)
{
    const PendingPerson& q = pending_;
    store_.persons.insertRecord({p, q.fam, q.name, q.surname, QString(), q.sex, q.birthDate, q.birthPlace,
                                 q.deathDate, q.deathPlace});
}

void GedcomImport::storeEvents(int p)
{
    if (deathSeen_) {
        storeEvent(p, "Смерть", pending_.deathDate, pending_.deathPlace, "Умерший");
        ++eventCounter_;
    }
    if (birthSeen_)
        storeEvent(p, "Рождение", pending_.birthDate, pending_.birthPlace, "Новорожденный");
}

void GedcomImport::storeEvent(int p, const char* type, const QString& date, const QString& place, const char* role)
{
    store_.events.insertRecord({eventCounter_, type, date, place});
    store_.participants.insertRecord({eventCounter_, p, role});
}

void GedcomImport::finish()
{
    RecordTable& persons = store_.persons;
    persons.sortOnField(PersonField::num, true, false);
    host_.applyListSort();
    persons.first();
    if (suspended_) {
        persons.enableControls();
        suspended_ = false;
    }
    if (!persons.isEmpty())
        host_.buildCard(persons.asInteger(PersonField::num));
    host_.setStatusText(QStringLiteral("Персонажей: %1 Связей: %2").arg(n_).arg(store_.links.recordCount()));
}
