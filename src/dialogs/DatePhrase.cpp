#include "dialogs/DatePhrase.h"

namespace {

bool complete(const DateNumbers& d)
{
    return d.day && d.month && d.year;
}

// Day and month only when both are known; a zero stands for "unknown".
QString datePart(const DateNumbers& d)
{
    QString part;
    if (*d.day != 0 && *d.month != 0)
        part = QString::number(*d.day) + QLatin1Char('.') + QString::number(*d.month) + QLatin1Char('.');
    return part + QString::number(*d.year);
}

} // namespace

QStringList dateQualifiers()
{
    return {QStringLiteral("В"), QStringLiteral("ДО"), QStringLiteral("ПОСЛЕ"), QStringLiteral("МЕЖДУ"),
            QStringLiteral("ОКОЛО"), QStringLiteral("ПРИБЛИЗИТЕЛЬНО"), QStringLiteral("ИЛИ")};
}

bool takesSecondDate(const QString& qualifier)
{
    return qualifier == QStringLiteral("МЕЖДУ") || qualifier == QStringLiteral("ИЛИ");
}

QString ComposeDatePhrase(const QString& qualifier, const DateNumbers& first, const DateNumbers& second)
{
    if (!complete(first) || !complete(second))
        return QString();
    const bool alternative = qualifier == QStringLiteral("ИЛИ");
    QString phrase = (alternative ? QString() : qualifier) + QLatin1Char(' ') + datePart(first) + QLatin1Char(' ');
    if (takesSecondDate(qualifier)) {
        phrase += alternative ? QStringLiteral(" ИЛИ ") : QStringLiteral(" И ");
        phrase += datePart(second);
    }
    return phrase;
}

std::optional<int> dateNumberOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
