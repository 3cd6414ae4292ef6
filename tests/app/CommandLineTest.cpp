#include "app/CommandLine.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

namespace {

// Each step as "name value…" or "! error".
QStringList describe(const CommandLine& line)
{
    QStringList out;
    for (const CommandLine::Step& step : line.steps)
        out << (step.option ? (QStringList{QString::fromUtf8(step.option->name)} + step.values).join(QLatin1Char(' '))
                            : QStringLiteral("! ") + step.error);
    return out;
}

} // namespace

TEST(CommandLine, ActionsStartFileAndBatchStepsInOrder)
{
    const struct {
        QStringList arguments;
        CommandLine::Action action;
        QString startFile;
        QStringList steps;
    } cases[] = {
        {{}, CommandLine::StartWindow, {}, {}},
        {{"a.ged", "b.ged"}, CommandLine::StartWindow, "b.ged", {}},
        {{"a.ged", "--version", "--help"}, CommandLine::ShowVersion, {}, {}},
        {{"--batch", "-h"}, CommandLine::ShowHelp, {}, {}},
        {{"--bogus", "a.ged"}, CommandLine::BadOption, {}, {}},
        {{"--batch", "--import", "f.ged", "--man"}, CommandLine::ShowManual, {}, {}},
        {{"--import", "f.ged", "--batch", "--dump", "persons"}, CommandLine::RunBatch, {},
         {"--import f.ged", "--dump persons"}},
        // An unknown step is told in its place and the rest still run; a missing value ends the list.
        {{"--batch", "--what", "--import", "f.ged", "x", "--dump"}, CommandLine::RunBatch, {},
         {"! Неизвестный параметр: --what", "--import f.ged", "! Неизвестный параметр: x",
          "! После --dump не указано значение"}},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.startFile, c.startFile) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(describe(line), c.steps) << c.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(parseCommandLine({"--bogus"}).badOption, QStringLiteral("--bogus"));
}

TEST(CommandLine, HelpListsEveryOptionOfTheTable)
{
    const QString help = commandLineHelp();
    EXPECT_FALSE(help.contains(QStringLiteral("--man")));  // only the build asks for the manual page
    for (const CommandLineOption& option : commandLineOptions()) {
        if (option.kind == CommandLineOption::Manual)
            continue;
        QString entry = QString::fromUtf8(option.name);
        if (option.valueCount > 0)
            entry += QLatin1Char(' ') + QString::fromUtf8(option.valueNames);
        EXPECT_TRUE(help.contains(entry)) << option.name;
        EXPECT_TRUE(help.contains(QString::fromUtf8(option.help).section(QLatin1Char('\n'), 0, 0))) << option.name;
    }
}

// The manual page is made from the same table: every option with its values and
// its whole text, in roff, and the program prints exactly that for the build.
TEST(CommandLine, ManualPageHoldsEveryOptionOfTheTable)
{
    const QString manual = commandLineManual();
    EXPECT_TRUE(manual.startsWith(QStringLiteral(".TH ARBOLITUS 1 ")));
    const auto roff = [](QString text) { return text.replace(QLatin1Char('-'), QStringLiteral("\\-")); };
    int steps = 0;
    for (const CommandLineOption& option : commandLineOptions()) {
        if (option.kind == CommandLineOption::Manual)
            continue;
        steps += option.kind == CommandLineOption::Step;
        QString head = QStringLiteral(".B ") + roff(QString::fromUtf8(option.name));
        if (option.valueCount > 0)
            head += QStringLiteral(" \\fI") + roff(QString::fromUtf8(option.valueNames)) + QStringLiteral("\\fR");
        if (*option.alias)
            head = roff(QString::fromUtf8(option.name));
        EXPECT_TRUE(manual.contains(head + QLatin1Char('\n'))) << option.name;
        const QString text = roff(QString::fromUtf8(option.help).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        EXPECT_TRUE(manual.contains(QLatin1Char('\n') + text + QLatin1Char('\n'))) << option.name;
    }
    EXPECT_GE(steps, 11);
    EXPECT_FALSE(manual.contains(QStringLiteral("\n'"))) << "no line may start as a request";
    const ProcessResult printed = runApplication({QStringLiteral("--man")});
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.out, manual);
}
