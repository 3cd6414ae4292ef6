// Writes a GEDCOM file of 100 000 individuals and 40 000 families and prints
// how long the import takes through the main window, and the memory it needs.
#include "platform/ScriptedPlatform.h"
#include "app/TForm1.h"
#include "gedcom/ui/ImportController.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QStandardPaths>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

QByteArray syntheticGedcom(int individuals, int families)
{
    static const char* families_[] = {"Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов", "Попов", "Волков"};
    static const char* given[] = {"Иван", "Пётр", "Мария", "Анна", "Олег", "Ольга", "Борис"};
    static const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    QString text = QStringLiteral("0 HEAD\n1 CHAR UTF-8\n");
    for (int i = 1; i <= individuals; ++i) {
        text += QStringLiteral("0 @I%1@ INDI\n1 NAME %2 %3ович /%4%5/\n1 SEX %6\n")
                    .arg(i)
                    .arg(QString::fromUtf8(given[i % 7]), QString::fromUtf8(given[(i / 7) % 7]),
                         QString::fromUtf8(families_[(i / 49) % 7]))
                    .arg(i % 500)
                    .arg(i % 2 ? 'M' : 'F');
        text += QStringLiteral("1 BIRT\n2 DATE %1 %2 18%3\n2 PLAC Село %4\n")
                    .arg(i % 28 + 1).arg(QString::fromLatin1(months[i % 12])).arg(i % 100, 2, 10, QLatin1Char('0')).arg(i % 900);
        text += QStringLiteral("1 DEAT\n2 DATE %1 %2 19%3\n2 PLAC Город %4\n")
                    .arg(i % 27 + 1).arg(QString::fromLatin1(months[(i + 5) % 12])).arg(i % 100, 2, 10, QLatin1Char('0')).arg(i % 300);
    }
    int child = 0;
    for (int f = 1; f <= families; ++f) {
        text += QStringLiteral("0 @F%1@ FAM\n1 HUSB @I%2@\n1 WIFE @I%3@\n").arg(f).arg(2 * f - 1).arg(2 * f);
        for (int c = 0; c < 2 + f % 2; ++c, child = (child + 1) % individuals)
            text += QStringLiteral("1 CHIL @I%1@\n").arg(child + 1);
    }
    text += QStringLiteral("0 TRLR\n");
    return text.toUtf8();
}

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
        file.write(syntheticGedcom(100000, 40000));
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
