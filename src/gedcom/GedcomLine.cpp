#include "gedcom/GedcomLine.h"

#include <algorithm>
#include <limits>

namespace {

struct Word {
    qsizetype start = -1;
    QStringView text;
};

// Word n (from 1) with its place in the line; an absent word is empty.
Word wordAt(QStringView line, int n, qsizetype from = 0)
{
    qsizetype i = from;
    const qsizetype size = line.size();
    for (int k = 1;; ++k) {
        while (i < size && line[i] == QLatin1Char(' '))
            ++i;
        if (i >= size)
            return {};
        const qsizetype start = i;
        while (i < size && line[i] != QLatin1Char(' '))
            ++i;
        if (k == n)
            return {start, line.mid(start, i - start)};
    }
}

// "@X@" names a record; "@@…" is an escaped at-sign and "@#…@" a calendar escape.
bool isPointer(QStringView word)
{
    return word.size() >= 3 && word.startsWith(QLatin1Char('@')) && word.endsWith(QLatin1Char('@'))
           && word[1] != QLatin1Char('@') && word[1] != QLatin1Char('#')
           && !word.mid(1, word.size() - 2).contains(QLatin1Char('@'));
}

QString between(QStringView word)
{
    QStringView inner = word.mid(1);
    if (inner.endsWith(QLatin1Char('@')))
        inner.chop(1);
    return inner.toString();
}

QString valueFrom(QStringView line, qsizetype start)
{
    QString value = line.mid(start).toString();
    if (value.contains(QLatin1Char('@')))
        value.replace(QLatin1String("@@"), QLatin1String("@"));
    return value;
}

bool readLevel(QStringView word, int& level)
{
    bool ok = false;
    level = word.toInt(&ok, 10);
    if (ok)
        return true;
    // A whole number too long for an int is a level far outside 0..5, not a bad one.
    const QStringView digits =
        word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1Char('+')) ? word.mid(1) : word;
    if (digits.isEmpty()
        || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return false;
    level = std::numeric_limits<int>::max();
    return true;
}

} // namespace

QStringView gedcomWord(QStringView text, int n)
{
    return wordAt(text, n).text;
}

GedcomParse ParseGedcomLine(QStringView line, GedcomLine& out)
{
    out.xref.clear();
    out.pointer.clear();
    out.tag.clear();
    out.value.clear();
    out.levelOnly = false;
    const Word first = wordAt(line, 1);
    if (first.start < 0)
        return GedcomParse::Blank;
    if (!readLevel(first.text, out.level))
        return GedcomParse::BadLevel;

    const qsizetype afterLevel = first.start + first.text.size();
    Word tag = wordAt(line, 1, afterLevel);
    if (tag.start < 0) {
        out.levelOnly = true;
        return GedcomParse::Ok;
    }
    if (tag.text.startsWith(QLatin1Char('@'))) {
        out.xref = between(tag.text);
        tag = wordAt(line, 1, tag.start + tag.text.size());
        if (tag.start < 0)
            return GedcomParse::Ok;
    }
    out.tag = tag.text.toString();
    const qsizetype tagEnd = tag.start + tag.text.size();
    // Continued text and the lines GEDCOM out writes for exact values keep their
    // blanks: the value starts after the one blank that ends the tag.
    if (out.tag == QLatin1String("CONC") || out.tag == QLatin1String("CONT") || out.tag.startsWith(QLatin1Char('_'))) {
        const QStringView raw = tagEnd + 1 < line.size() ? line.mid(tagEnd + 1) : QStringView();
        if (out.tag.startsWith(QLatin1Char('_')) && isPointer(raw.trimmed()))
            out.pointer = between(raw.trimmed());
        else if (!raw.isEmpty())
            out.value = valueFrom(line, tagEnd + 1);
        return GedcomParse::Ok;
    }
    const Word value = wordAt(line, 1, tagEnd);
    if (value.start < 0)
        return GedcomParse::Ok;
    // A pointer is the whole value; a date is never one, whatever its escapes.
    const bool whole = value.start + value.text.size() == line.size()
                       || line.mid(value.start + value.text.size()).trimmed().isEmpty();
    if (whole && isPointer(value.text) && out.tag != QLatin1String("DATE"))
        out.pointer = between(value.text);
    else
        out.value = valueFrom(line, value.start);
    return GedcomParse::Ok;
}
