#include "dialogs/DatePhrase.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

DateNumbers date(int d, int m, int y)
{
    return {d, m, y};
}

} // namespace

TEST(DatePhrase, EveryQualifierAndTheDroppedDayAndMonth)
{
    struct Case {
        const char* qualifier;
        DateNumbers first, second;
        const char* phrase;
    };
    const Case cases[] = {
        {"В", date(1, 1, 1900), date(1, 1, 2000), "В 1.1.1900 "},
        {"ДО", date(0, 1, 1900), date(1, 1, 2000), "ДО 1900 "},
        {"ПОСЛЕ", date(-0, 0, -50), date(1, 1, 2000), "ПОСЛЕ -50 "},
        {"ОКОЛО", date(0, 5, 1850), date(1, 1, 2000), "ОКОЛО 1850 "},
        {"ПРИБЛИЗИТЕЛЬНО", date(31, 12, 9999), date(1, 1, 2000), "ПРИБЛИЗИТЕЛЬНО 31.12.9999 "},
        {"МЕЖДУ", date(1, 1, 1900), date(31, 12, 2000), "МЕЖДУ 1.1.1900  И 31.12.2000"},
        {"ИЛИ", date(5, 3, 1850), date(0, 3, 1851), " 5.3.1850  ИЛИ 1851"},
        {"ИЛИ", date(1, 1, 1900), date(1, 1, 2000), " 1.1.1900  ИЛИ 1.1.2000"},
        {"МЕЖДУ", date(31, 12, -9999), date(31, 12, -9999), "МЕЖДУ 31.12.-9999  И 31.12.-9999"},
        // An empty field empties the phrase, a second-date field of a single date included.
        {"В", {1, std::nullopt, 1900}, date(1, 1, 2000), ""},
        {"В", date(1, 1, 1900), {1, 1, std::nullopt}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeDatePhrase(QString::fromUtf8(c.qualifier), c.first, c.second), QString::fromUtf8(c.phrase))
            << c.phrase;
    // The longest phrase the dialog can compose fits the widened date fields.
    EXPECT_EQ(ComposeDatePhrase(QStringLiteral("МЕЖДУ"), date(31, 12, -9999), date(31, 12, -9999)).size(), 32);
}

TEST(DatePhrase, OnlyWholeNumbersCount)
{
    EXPECT_EQ(dateNumberOf(QStringLiteral("-50")), -50);
    EXPECT_EQ(dateNumberOf(QStringLiteral(" 7")), 7);
    for (const char* text : {"", "-", "1a", "x"})
        EXPECT_FALSE(dateNumberOf(QString::fromUtf8(text))) << text;
}
