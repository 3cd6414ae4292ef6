#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// One date of the date dialog. A number whose field holds no whole number is empty.
struct DateNumbers {
    std::optional<int> day;
    std::optional<int> month;
    std::optional<int> year;
};

// The qualifiers of the date menu, in menu order.
QStringList dateQualifiers();
// "МЕЖДУ" and "ИЛИ" take a second date.
bool takesSecondDate(const QString& qualifier);

// The date phrase: the qualifier, then the first date, and for a range or an
// alternative the connector and the second date. Empty when any number is empty,
// the second date's included whatever the qualifier.
QString ComposeDatePhrase(const QString& qualifier, const DateNumbers& first, const DateNumbers& second);

// The number a spin edit's text stands for; nothing when it is not a whole number.
std::optional<int> dateNumberOf(const QString& text);
