// Imports the largest bad or odd inputs through the main window, each in its
// own process, and prints the time, the peak memory and whether the progress
// dialog showed. Usage: bench_large_input [case]
#include "app/TForm1.h"
#include "gedcom/ui/ImportController.h"
#include "platform/ScriptedPlatform.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QStandardPaths>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr qsizetype hundredMegabytes = 100 * 1024 * 1024;

QByteArray caseFile(const QString& name)
{
    const QByteArray two = "0 @I1@ INDI\n1 NAME Иван\n0 @I2@ INDI\n";
    if (name == "line")
        return two + "1 NOTE " + QByteArray(hundredMegabytes, 'x') + "\n1 NAME Пётр\n";
    if (name == "word")
        return two + QByteArray(hundredMegabytes, 'y') + "\n";
    QByteArray file = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; file.size() < hundredMegabytes; ++i)
        file += "0 @I" + QByteArray::number(i) + "@ INDI\n1 NAME Иван Петрович /Сидоров/\n1 SEX M\n1 BIRT\n"
                "2 DATE 12 JAN 1900\n2 PLAC Москва\n1 NOTE " + QByteArray(60, 'n') + "\n";
    return file;
}

long peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

int runCase(const QString& name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name + ".ged");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(caseFile(name));
    }
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* dialog = form.findChild<QProgressDialog*>(QStringLiteral("ImportProgress")))
            progressShown = progressShown || dialog->isVisible();
    });
    watch.start(50);
    const long before = peakResidentMegabytes();
    const auto start = std::chrono::steady_clock::now();
    form.importer().importGedcomFile(path);
    std::printf("%-6s %6lld MB file: %6.0f ms, peak %5ld MB (%ld MB before), progress shown: %s, persons %d, message: %s\n",
                qPrintable(name), static_cast<long long>(QFileInfo(path).size() >> 20), millisecondsSince(start),
                peakResidentMegabytes(), before, progressShown ? "yes" : "no", form.store().persons.recordCount(),
                qPrintable(platform.messages.empty() ? QStringLiteral("none") : platform.lastMessage()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    if (argc > 1)
        return runCase(QString::fromLocal8Bit(argv[1]));
    for (const char* name : {"line", "word", "many"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(name)});
        child.waitForFinished(-1);
    }
    return 0;
}
