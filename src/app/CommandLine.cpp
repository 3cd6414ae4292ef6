#include "app/CommandLine.h"

#include "app/BatchRun.h"

const std::vector<CommandLineOption>& commandLineOptions()
{
    static const std::vector<CommandLineOption> options = {
        {"--version", "", 0, "", "показать название и версию программы и выйти", CommandLineOption::Version},
        {"--help", "-h", 0, "", "показать эту справку и выйти", CommandLineOption::Help},
        // Not in the help: the build makes the manual page with it.
        {"--man", "", 0, "", "вывести страницу руководства (roff) и выйти", CommandLineOption::Manual},
        {"--batch", "", 0, "", "работать без окон: выполнить по порядку шаги", CommandLineOption::Batch},
        {"--import", "", 1, "ФАЙЛ", "импортировать файл GEDCOM (можно повторять)", CommandLineOption::Step,
         &runImportStep, CommandLineOption::ReadsTree},
        {"--export-gedcom", "", 1, "ФАЙЛ.ged", "записать всё древо в файл GEDCOM 5.5.1, как\n«Экспорт» ▸ «Gedcom»",
         CommandLineOption::Step, &runExportGedcomStep, CommandLineOption::WritesFile},
        {"--dump", "", 1, "ТАБЛИЦА",
         "вывести таблицу в виде текста с табуляциями\n(persons, links, events, participants, names,\nnotes, "
         "diagram, selection; можно повторять)",
         CommandLineOption::Step, &runDumpStep},
        {"--open", "", 1, "ФАЙЛ.arbolitus", "заменить древо древом из файла, как «Открыть…»",
         CommandLineOption::Step, &runOpenStep, CommandLineOption::ReadsTree},
        {"--save", "", 1, "ФАЙЛ.arbolitus", "записать древо в файл, как «Сохранить как…»", CommandLineOption::Step,
         &runSaveStep, CommandLineOption::WritesFile},
        {"--units", "", 1, "H,V",
         "единицы диаграммы по горизонтали и вертикали,\nкак в свойствах изображения (по умолчанию 85,75)",
         CommandLineOption::Step, &runUnitsStep},
        {"--root", "", 1, "НОМЕР", "сделать текущим персонаж с этим номером", CommandLineOption::Step, &runRootStep},
        {"--build", "", 1, "ВИД",
         "построить древо от текущего персонажа: ascending\n(восходящее), descending (нисходящее) или twoway\n"
         "(двунаправленное)",
         CommandLineOption::Step, &runBuildStep},
        {"--export-bitmap", "", 1, "ФАЙЛ.bmp",
         "записать всю диаграмму в файл BMP, один бит на\nточку, как при копировании в буфер обмена",
         CommandLineOption::Step, &runExportBitmapStep, CommandLineOption::WritesFile},
        {"--export-image", "", 1, "ФАЙЛ", "записать всю диаграмму в файл PNG, SVG или PDF\n(формат по расширению имени)",
         CommandLineOption::Step, &runExportImageStep, CommandLineOption::WritesFile},
        {"--export-register", "", 2, "НОМЕР ФАЙЛ.txt",
         "записать поколенную роспись потомков персонажа\nс этим номером в текстовый файл (UTF-8)",
         CommandLineOption::Step, &runExportRegisterStep, CommandLineOption::WritesFile},
    };
    return options;
}

namespace {

const CommandLineOption* findOption(const QString& argument)
{
    for (const CommandLineOption& option : commandLineOptions())
        if (argument == QLatin1String(option.name) || (*option.alias && argument == QLatin1String(option.alias)))
            return &option;
    return nullptr;
}

// One option of the help: name and values, then its text, later lines aligned under the first.
QString helpEntry(const CommandLineOption& option, int indent, int textColumn)
{
    QString head = QString(indent, QLatin1Char(' ')) + QString::fromUtf8(option.name);
    if (option.valueCount > 0)
        head += QLatin1Char(' ') + QString::fromUtf8(option.valueNames);
    head = head.leftJustified(textColumn - 1) + QLatin1Char(' ');
    const QStringList lines = QString::fromUtf8(option.help).split(QLatin1Char('\n'));
    QString out = head + lines.first() + QLatin1Char('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        out += QString(textColumn, QLatin1Char(' ')) + lines[i] + QLatin1Char('\n');
    return out;
}

CommandLine parseBatch(const QStringList& arguments)
{
    CommandLine line;
    line.action = CommandLine::RunBatch;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const CommandLineOption* option = findOption(argument);
        if (option && option->kind == CommandLineOption::Batch)
            continue;
        if (!option || option->kind != CommandLineOption::Step) {
            line.steps.push_back({nullptr, {}, QStringLiteral("Неизвестный параметр: %1").arg(argument)});
            continue;
        }
        if (i + option->valueCount >= arguments.size()) {
            line.steps.push_back({nullptr, {}, QStringLiteral("После %1 не указано значение").arg(argument)});
            break;
        }
        line.steps.push_back({option, arguments.mid(i + 1, option->valueCount), {}});
        i += option->valueCount;
    }
    return line;
}

} // namespace

QString commandLineHelp()
{
    QString text = QStringLiteral("Использование: arbolitus [ПАРАМЕТРЫ] [ФАЙЛ.ged]\n"
                                  "Редактор родословных деревьев.\n\n"
                                  "  ФАЙЛ.ged    импортировать файл GEDCOM при запуске\n");
    // The steps' texts share one column, past the longest step and its values.
    int stepColumn = 23;
    for (const CommandLineOption& option : commandLineOptions())
        if (option.kind == CommandLineOption::Step)
            stepColumn = std::max(stepColumn, 6 + int(qstrlen(option.name) + 1 + QString::fromUtf8(option.valueNames).size()) + 2);
    for (const CommandLineOption& option : commandLineOptions()) {
        if (option.kind == CommandLineOption::Step)
            text += helpEntry(option, 6, stepColumn);
        else if (option.kind != CommandLineOption::Manual)
            text += helpEntry(option, 2, 14);
    }
    return text;
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    bool batch = false;
    for (const QString& argument : arguments) {
        const CommandLineOption* option = findOption(argument);
        if (option && option->kind == CommandLineOption::Version) {
            line.action = CommandLine::ShowVersion;
            return line;
        }
        if (option && option->kind == CommandLineOption::Help) {
            line.action = CommandLine::ShowHelp;
            return line;
        }
        if (option && option->kind == CommandLineOption::Manual) {
            line.action = CommandLine::ShowManual;
            return line;
        }
        batch = batch || (option && option->kind == CommandLineOption::Batch);
    }
    if (batch)
        return parseBatch(arguments);
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) {
            line.action = CommandLine::BadOption;
            line.badOption = argument;
            return line;
        }
        line.startFile = argument;
    }
    return line;
}
