#include "gedcom/GedcomImport.h"

#include "gedcom/GedcomFileRead.h"
#include "gedcom/GedcomText.h"

#include <QFileInfo>
#include <algorithm>
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

// Progress is told in steps of this many bytes, not at every line.
constexpr qint64 progressStep = 256 * 1024;

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// Every record has a line, so no file holds more records than this.
qint64 linesAtMost(const QByteArray& bytes)
{
    return std::count(bytes.begin(), bytes.end(), '\n') + std::count(bytes.begin(), bytes.end(), '\r') + 1;
}

// The INDI records of a file, counted from the bytes alone.
qint64 individualRecords(const QByteArray& bytes)
{
    qint64 count = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        const QList<QByteArray> words = bytes.mid(start, std::min<qsizetype>(end - start, 200)).simplified().split(' ');
        if (words.size() >= 2 && words[0] == "0") {
            const QByteArray tag = words[1].startsWith('@') ? words.value(2) : words[1];
            count += tag == "INDI";
        }
        start = end + 1;
    }
    return count;
}

} // namespace

GedcomImport::GedcomImport(GenealogyStore& store, GedcomImportHost& host)
    : store_(store), host_(host), writer_(store, summary_), records_(writer_, summary_)
{
}

void GedcomImport::begin()
{
    RecordTable& persons = store_.persons;
    persons.disableControls();
    suspended_ = true;
    persons.setFiltered(false);
    persons.sortOnField(PersonField::num, true, false);
    persons.last();
    importBase_ = persons.isEmpty() ? 0 : persons.asInteger(PersonField::num);
    records_.start(importBase_);
    writer_.start();
}

bool GedcomImport::readFile(const QString& path)
{
    auto bytes = readGedcomFile(path);
    if (const QString* error = std::get_if<QString>(&bytes)) {
        error_ = *error;
        return false;
    }
    return readData(std::get<QByteArray>(bytes), QFileInfo(path).fileName());
}

bool GedcomImport::readData(const QByteArray& file, const QString& fileName)
{
    fileName_ = fileName;
    if (file.isEmpty()) {
        error_ = QStringLiteral("Файл %1 пуст: в нём нет ни одной строки").arg(fileName);
        return false;
    }
    const GedcomBytes prepared = prepareGedcomBytes(file);
    // A file holds no more records than bytes; lines and individuals are counted only near the limit.
    const qint64 bytes = prepared.bytes.size();
    error_ = writer_.overflow(importBase_, bytes, bytes);
    if (!error_.isEmpty()) {
        const qint64 lines = linesAtMost(prepared.bytes);
        error_ = writer_.overflow(importBase_, individualRecords(prepared.bytes), lines);
    }
    if (!error_.isEmpty())
        return false;
    fileRead_ = true;
    const bool ok = readLines(prepared);
    if (ok)
        records_.endOfFile();
    // Also after a bad line: what was read is linked as far as it can be.
    records_.resolve();
    return ok;
}

void GedcomImport::fail(qint64 lineNumber, const QString& why)
{
    error_ = QStringLiteral("Строка %1 файла %2: %3").arg(lineNumber).arg(fileName_, why);
}

bool GedcomImport::readLines(const GedcomBytes& prepared)
{
    const QByteArray& file = prepared.bytes;
    const char* bytes = file.constData();
    const qsizetype size = file.size();
    qsizetype start = prepared.start;
    qint64 nextProgress = progressStep;
    host_.progress(0, size);
    QString text;
    for (qint64 lineNumber = 1; start < size; ++lineNumber) {
        qsizetype end = start;
        while (end < size && !isLineEnd(bytes[end]))
            ++end;
        const QByteArrayView line(bytes + start, end - start);
        // CR LF, LF and CR alone all end a line.
        start = end + (end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        if (line.contains('\0')) {
            fail(lineNumber, QStringLiteral("нулевой байт: это не текстовый файл GEDCOM"));
            return false;
        }
        if (!decodeGedcomLine(line, prepared.charset, text)) {
            fail(lineNumber, QStringLiteral("байты, недопустимые в кодировке UTF-8"));
            return false;
        }
        if (!readLine(text, lineNumber))
            return false;
        if (start >= nextProgress) {
            host_.progress(start, size);
            nextProgress = start + progressStep;
        }
    }
    host_.progress(size, size);
    return true;
}

bool GedcomImport::readLine(const QString& text, qint64 lineNumber)
{
    switch (ParseGedcomLine(text, line_)) {
    case GedcomParse::Blank:
        return true;  // files often end with one; stopping there would lose the last individual
    case GedcomParse::BadLevel:
        fail(lineNumber, QStringLiteral("%1 не является целым числом").arg(quoted(gedcomWord(text, 1))));
        return false;
    case GedcomParse::Ok:
        break;
    }
    if (line_.levelOnly || line_.level < 0 || line_.level > 5)
        return true;
    records_.line(line_);
    if (line_.level == 0 && line_.tag == QLatin1String("INDI"))
        host_.setStatusText(QStringLiteral("Персонажей: ") + QString::number(records_.lastPerson()));
    return true;
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
    host_.setStatusText(
        QStringLiteral("Персонажей: %1 Связей: %2").arg(records_.lastPerson()).arg(store_.links.recordCount()));
}

QString GedcomImport::summaryText() const
{
    return fileRead_ ? gedcomSummaryText(summary_, fileName_) : QString();
}
