#include "gedcom/GedcomLine.h"

#include <algorithm>
#include <limits>

namespace {

struct Word {
    qsizetype start = -1;
    QStringView text;
};

// Word n (from 1) with its place in the line; an absent word is empty.
Word wordAt(QStringView line, int n)
{
    qsizetype i = 0;
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

bool isNumberTextBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '-' || u == '/' || u == '@' || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

} // namespace

QStringView gedcomWord(QStringView text, int n)
{
    return wordAt(text, n).text;
}

QString gedcomNumberText(QStringView word)
{
    qsizetype i = 0;
    while (i < word.size() && isNumberTextBreak(word[i]))
        ++i;
    const qsizetype start = i;
    while (i < word.size() && !isNumberTextBreak(word[i]))
        ++i;
    return word.mid(start, i - start).toString();
}

GedcomParse ParseGedcomLine(QStringView line, GedcomLine& out)
{
    out = GedcomLine();
    const Word first = wordAt(line, 1);
    if (first.start < 0)
        return GedcomParse::Blank;
    bool ok = false;
    out.level = first.text.toInt(&ok, 10);
    if (!ok) {
        // A whole number too long for an int is a level far outside 0..5, not a bad one.
        const QStringView digits = first.text.startsWith(QLatin1Char('-')) || first.text.startsWith(QLatin1Char('+'))
                                       ? first.text.mid(1)
                                       : first.text;
        if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
            }))
            return GedcomParse::BadLevel;
        out.level = std::numeric_limits<int>::max();
    }

    const Word second = wordAt(line, 2);
    if (second.start < 0) {
        out.levelOnly = true;
        return GedcomParse::Ok;
    }
    if (second.text.startsWith(QLatin1Char('@')))
        out.xref = gedcomNumberText(second.text);
    else
        out.tag = second.text.toString();

    const Word third = wordAt(line, 3);
    if (third.start < 0)
        return GedcomParse::Ok;
    // A doubled "@" stands for the character itself, so it starts a value, not a pointer.
    if (third.text.startsWith(QLatin1Char('@')) && !third.text.startsWith(QLatin1String("@@")))
        out.xref = gedcomNumberText(third.text);
    else if (out.tag.isEmpty())
        out.tag = third.text.toString();
    else
        out.value = line.mid(third.start).toString().replace(QLatin1String("@@"), QLatin1String("@"));
    return GedcomParse::Ok;
}
