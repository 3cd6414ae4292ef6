// Writes a GEDCOM file of 100 000 individuals and 40 000 families and prints
// how long the import takes through the main window, and the memory it needs.
#include "platform/ScriptedPlatform.h"
#include "app/TForm1.h"
#include "gedcom/ui/ImportController.h"

#include "BenchTiming.h"
#include "SyntheticTrees.h"

#include <QApplication>
#include <QStandardPaths>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("synthetic.ged"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        if (!synthetic::writeRichGedcom(file, 100000, 40000))
            return 1;
    }
    std::printf("synthetic file: %lld bytes; resident before the import: %ld MB\n",
                static_cast<long long>(QFileInfo(path).size()), peakResidentMegabytes());

    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    const auto start = std::chrono::steady_clock::now();
    form.importer().importGedcomFile(path);
    std::printf("import of 100 000 individuals and 40 000 families: %.0f ms\n", millisecondsSince(start));
    std::printf("persons %d, links %d, events %d; peak resident memory: %ld MB\n", form.store().persons.recordCount(),
                form.store().links.recordCount(), form.store().events.recordCount(), peakResidentMegabytes());
    std::printf("status text: %s\n", qPrintable(form.statusText()));
    return 0;
}
