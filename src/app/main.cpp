#include "app/BatchRun.h"
#include "platform/QtPlatform.h"
#include "app/TForm1.h"
#include "gedcom/ui/ImportController.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

namespace {

void printHelp()
{
    std::fputs("Использование: arbolitus [ПАРАМЕТРЫ] [ФАЙЛ.ged]\n"
               "Редактор родословных деревьев.\n\n"
               "  ФАЙЛ.ged    импортировать файл GEDCOM при запуске\n"
               "  --version   показать название и версию программы и выйти\n"
               "  --help      показать эту справку и выйти\n"
               "  --batch     работать без окон: выполнить по порядку шаги\n"
               "      --import ФАЙЛ    импортировать файл GEDCOM (можно повторять)\n"
               "      --dump ТАБЛИЦА   вывести таблицу в виде текста с табуляциями\n"
               "                       (persons, links, events, participants, names,\n"
               "                       notes, diagram, selection; можно повторять)\n",
               stdout);
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = argumentsOf(argc, argv);
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--version")) {
            std::puts("Арболитус 1.0");
            return 0;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            printHelp();
            return 0;
        }
    }
    if (arguments.contains(QLatin1String("--batch"))) {
        QCoreApplication app(argc, argv);
        return runBatch(arguments, stdout, stderr);
    }
    QString startFile;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "Неизвестный параметр: %s\n", argument.toLocal8Bit().constData());
            printHelp();
            return 2;
        }
        startFile = argument;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ARBOLITUS"));
    QtPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    form.reportMissingPictures();
    if (!startFile.isEmpty())
        form.importer().importGedcomFile(startFile);
    return app.exec();
}
