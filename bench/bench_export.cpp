// Prints how long the chart files of a diagram of 10 000 boxes and lines and the generation
// register of 10 000 descendants take to write, and the time and peak memory of
// a process that writes the SVG and the PDF of a full ascending chart of 262 143 boxes
// ("none": the process that only builds that chart).
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "diagram/DiagramScroll.h"
#include "export/ChartFile.h"
#include "export/GenerationRegister.h"
#include "store/GenealogyStore.h"

#include "BenchTiming.h"
#include "SyntheticDiagrams.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

namespace {


// Person i is the father of 2i and 2i + 1, with a wife each.
void fillDescendants(GenealogyStore& store, int persons)
{
    for (int n = 2 * persons; n >= 1; --n)
        store.persons.insertRecord({n, QStringLiteral("Фамилия%1").arg(n), QStringLiteral("Имя"),
                                    QStringLiteral("Отчество"), QString(), n <= persons, QStringLiteral("1900"),
                                    QStringLiteral("Город")});
    for (int i = persons / 2; i >= 1; --i) {
        store.links.insertRecord({i, persons + i, LinkKind::Spouses});
        if (2 * i + 1 <= persons)
            store.links.insertRecord({i, 2 * i + 1, LinkKind::ParentOf});
        store.links.insertRecord({i, 2 * i, LinkKind::ParentOf});
    }
}

// A diagram normalised in a window of the usual size, drawn as every export draws it.
struct ExportedDiagram {
    PlainScroll scroll{1600, 1100};
    DiagramSettings settings;
    LegendPictures pictures = LegendPictures::builtIn();

    DiagramChart chartOf(RecordTable& diagram)
    {
        NormaliseDiagram(diagram, settings.units, scroll);
        return {diagram, pictures, settings, initialDiagramFont(), QSize(scroll.horzRange(), scroll.vertRange())};
    }
};

// Run as a child: writes the whole pedigree chart into the file named.
int writePedigree(const QString& path)
{
    GenealogyStore store;
    synthetic::fillPedigree(store.diagram, 18);
    ExportedDiagram exported;
    const DiagramChart chart = exported.chartOf(store.diagram);
    if (path.endsWith(QLatin1String(".none")))  // the chart alone, what every file costs at least
        return 0;
    const ChartFileResult result = writeChartFile(chart, path);
    std::printf("%s\n", qPrintable(result.text));
    return result.written ? 0 : 1;
}

// The whole process, measured by /usr/bin/time as the table of figures wants.
void timePedigreeFile(const QString& self, const QString& path)
{
    QProcess child;
    child.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-v"), self, QStringLiteral("--pedigree"), path});
    child.waitForFinished(-1);
    const QString report = QString::fromLocal8Bit(child.readAllStandardError());
    const auto field = [&](const QString& name) {
        const QRegularExpression line(name + QStringLiteral(": *([^\n]+)"));
        return line.match(report).captured(1).trimmed();
    };
    std::printf("pedigree %-5s %s s, %.0f MB peak, %.1f MB file%s\n", qPrintable(QFileInfo(path).suffix()),
                qPrintable(field(QStringLiteral("Elapsed \\(wall clock\\) time \\(h:mm:ss or m:ss\\)"))),
                field(QStringLiteral("Maximum resident set size \\(kbytes\\)")).toDouble() / 1024,
                QFileInfo(path).size() / 1e6, child.exitCode() == 0 ? "" : " — not written");
    QFile::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--pedigree")
        return writePedigree(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir dir;

    GenealogyStore store;
    synthetic::fillBoxGrid(store.diagram, 10000, 100);
    ExportedDiagram exported;
    const DiagramChart chart = exported.chartOf(store.diagram);
    std::printf("chart of %d rows: %d x %d\n", store.diagram.recordCount(), chart.size().width(), chart.size().height());
    for (const char* name : {"chart.svg", "chart.pdf", "chart.png"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ChartFileResult result;
        const double ms = averageMs(1, [&] { result = writeChartFile(chart, path); });
        std::printf("%-10s %8.0f ms, %6.1f MB%s\n", name, ms, QFileInfo(path).size() / 1e6,
                    result.written ? "" : qPrintable(QStringLiteral(" — ") + result.text));
    }

    GenealogyStore family;
    fillDescendants(family, 10000);
    std::optional<RegisterText> text;
    const double ms = averageMs(3, [&] { text = generationRegister(family, 1); });
    std::printf("register of %d descendants: %6.1f ms, %lld characters\n", text ? text->persons : 0, ms,
                text ? qlonglong(text->text.size()) : 0LL);

    if (QFileInfo::exists(QStringLiteral("/usr/bin/time")))
        for (const char* name : {"pedigree.none", "pedigree.svg", "pedigree.pdf"})
            timePedigreeFile(QCoreApplication::applicationFilePath(), dir.filePath(QString::fromLatin1(name)));
    return 0;
}
