#include "gedcom/GedcomDate.h"

#include "dialogs/DatePhrase.h"

#include <QDate>
#include <QStringList>
#include <optional>

namespace {

const char* const monthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// "d.m.y" or "y"; loose on purpose, the caller composes the phrase again to check it.
std::optional<DateNumbers> parsePart(const QString& part)
{
    const QStringList numbers = part.split(QLatin1Char('.'));
    if (numbers.size() != 1 && numbers.size() != 3)
        return std::nullopt;
    DateNumbers date{0, 0, 0};
    bool ok = true;
    date.year = numbers.last().toInt(&ok);
    if (ok && numbers.size() == 3) {
        bool dayOk = false, monthOk = false;
        date.day = numbers[0].toInt(&dayOk);
        date.month = numbers[1].toInt(&monthOk);
        ok = dayOk && monthOk;
    }
    if (!ok)
        return std::nullopt;
    return date;
}

// Nothing when the numbers name no real day: a year 0, a 31st of February.
std::optional<QString> gedcomPart(const DateNumbers& date)
{
    const int year = *date.year;
    if (year == 0)
        return std::nullopt;
    QString text;
    if (*date.day != 0) {
        if (!QDate::isValid(year, *date.month, *date.day))
            return std::nullopt;
        text = QStringLiteral("%1 %2 ").arg(*date.day).arg(QLatin1String(monthNames[*date.month - 1]));
    }
    text += QString::number(year < 0 ? -qint64(year) : year);
    if (year < 0)
        text += QStringLiteral(" B.C.");
    return text;
}

struct Phrase {
    QString qualifier;
    DateNumbers first, second;
};

// The phrase's parts when the text is exactly what the date dialog composes.
std::optional<Phrase> parsePhrase(const QString& text)
{
    const QStringList words = text.split(QLatin1Char(' '));
    Phrase phrase;
    std::optional<DateNumbers> first, second;
    if (words.size() == 3) {
        phrase.qualifier = words[0];
        first = second = parsePart(words[1]);
    } else if (words.size() == 5) {
        phrase.qualifier = words[0].isEmpty() ? words[3] : words[0];
        first = parsePart(words[1]);
        second = parsePart(words[4]);
    }
    static const QStringList qualifiers = dateQualifiers();
    if (!first || !second || !qualifiers.contains(phrase.qualifier))
        return std::nullopt;
    phrase.first = *first;
    phrase.second = *second;
    if (ComposeDatePhrase(phrase.qualifier, phrase.first, phrase.second) != text)
        return std::nullopt;
    return phrase;
}

QString prefixOf(const QString& qualifier)
{
    if (qualifier == QStringLiteral("ДО"))
        return QStringLiteral("BEF ");
    if (qualifier == QStringLiteral("ПОСЛЕ"))
        return QStringLiteral("AFT ");
    if (qualifier == QStringLiteral("ОКОЛО"))
        return QStringLiteral("ABT ");
    if (qualifier == QStringLiteral("ПРИБЛИЗИТЕЛЬНО"))
        return QStringLiteral("EST ");
    return QString();
}

} // namespace

QString gedcomDate(const QString& text)
{
    const std::optional<Phrase> phrase = parsePhrase(text);
    if (!phrase)
        return text;
    const QString asPhrase = QLatin1Char('(') + text.simplified() + QLatin1Char(')');
    const std::optional<QString> first = gedcomPart(phrase->first);
    if (!first || phrase->qualifier == QStringLiteral("ИЛИ"))
        return asPhrase;
    if (phrase->qualifier != QStringLiteral("МЕЖДУ"))
        return prefixOf(phrase->qualifier) + *first;
    const std::optional<QString> second = gedcomPart(phrase->second);
    return second ? QStringLiteral("BET %1 AND %2").arg(*first, *second) : asPhrase;
}
