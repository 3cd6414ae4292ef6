#include "diagram/DiagramRows.h"
#include "export/ChartFile.h"
#include "export/ChartPages.h"
#include "export/DiagramBitmap.h"
#include "export/PdfInParts.h"
#include "export/PdfJoin.h"
#include "export/ui/ChartPrint.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"
#include "treefile/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QProcess>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ChartExport : public ::testing::Test {
protected:
    ChartExport()
    {
        pictures = LegendPictures::builtIn();
        font = QFont(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(8);
        insertPersonRow(store.diagram, DiagramRowType::Female, QPoint(1020, 900), "Петрова", "Анна Ивановна", 2);
        insertPersonRow(store.diagram, DiagramRowType::Male, QPoint(850, 750), "Иванов", "Иван", 1);
        insertLineRow(store.diagram, 1, 2);
    }
    DiagramChart chart(QSize ranges = QSize(1900, 1800)) const
    {
        return {store.diagram, pictures, settings, font, ranges};
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    // Files left in the folder, temporary ones included.
    QStringList leftovers() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    GenealogyStore store;
    LegendPictures pictures;
    DiagramSettings settings;
    QFont font;
    QTemporaryDir dir;
};

// The words of a PDF, as pdftotext (poppler-utils) reads them.
QString pdfText(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    return QString::fromUtf8(text.readAllStandardOutput());
}

int pdfPages(const QByteArray& pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/")
               + pdf.count("/Type /Page>"));
}

QSizeF pdfMediaBox(const QByteArray& pdf)
{
    const auto match = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                           .match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

} // namespace

TEST_F(ChartExport, PngIsTheClipboardDrawingInColour)
{
    for (bool grid : {false, true}) {
        settings.grid = grid;
        const ChartFileResult written = writeChartFile(chart(), path("chart.png"));
        ASSERT_TRUE(written.written) << written.text.toStdString();
        const QImage png = QImage(path("chart.png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(1900 - 18 * 85, 1800 - 18 * 75));
        EXPECT_EQ(png, renderChartArea(chart(), QRect(QPoint(), png.size())));

        // The one-bit bitmap is that very drawing thresholded; the grey grid dots fall to white.
        const QImage bitmap = std::get<QImage>(
            renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(1900, 1800)));
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                ASSERT_EQ(qGray(png.pixel(x, y)) >= 128, bitmap.pixelIndex(x, y) == 1) << x << "," << y;
        EXPECT_EQ(png.pixel(340, 225) == qRgb(128, 128, 128), grid);
    }
    EXPECT_EQ(leftovers(), QStringList{"chart.png"});
}

TEST_F(ChartExport, SvgAndPdfAreVectorsWithTheNamesAsText)
{
    ASSERT_TRUE(writeChartFile(chart(), path("chart.svg")).written);
    QSvgRenderer svg(path("chart.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 370, 450));
    EXPECT_TRUE(QString::fromUtf8(readFile(path("chart.svg"))).contains(QStringLiteral("Анна Ивановна")));

    const ChartFileResult pdf = writeChartFile(chart(), path("chart.pdf"));
    ASSERT_TRUE(pdf.written);
    EXPECT_FALSE(pdf.text.contains(QStringLiteral("уменьшена")));
    EXPECT_EQ(pdfPages(readFile(path("chart.pdf"))), 1);
    EXPECT_EQ(pdfMediaBox(readFile(path("chart.pdf"))), QSizeF(370, 450));
    const QString words = pdfText(path("chart.pdf"));
    EXPECT_TRUE(words.contains(QStringLiteral("Петрова")) && words.contains(QStringLiteral("Иванов")))
        << words.toStdString();

    // Past 200 inches a side the page is scaled down, and the message says by how much.
    const QSize ranges(18 * 85 + 28800, 1600);
    const ChartFileResult large = writeChartFile(chart(ranges), path("large.pdf"));
    ASSERT_TRUE(large.written);
    EXPECT_TRUE(large.text.contains(QStringLiteral("50.0 %"))) << large.text.toStdString();
    const QSizeF box = pdfMediaBox(readFile(path("large.pdf")));
    EXPECT_NEAR(box.width(), 14400, 1);
    EXPECT_NEAR(box.height(), 125, 1);
}

TEST_F(ChartExport, RefusalsWriteNothing)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder.png"));
    const QSize tooWide(18 * 85 + 32768, 1600), tooLarge(18 * 85 + 20000, 18 * 75 + 10001);
    const struct {
        QSize ranges;
        QString target;
        bool emptyDiagram;
        QString expected;
    } cases[] = {
        {{1900, 1600}, path("chart.jpg"), false, "неизвестный формат"},
        {{1000, 1600}, path("chart.svg"), false, "Диаграмма пуста"},  // ranges within the margins
        {tooWide, path("chart.png"), false, "32768 × 250 точек слишком велико для PNG"},
        {tooLarge, path("chart.png"), false, "Сохраните его в SVG или PDF"},
        {{1900, 1600}, path("missing/chart.pdf"), false, "«chart.pdf»: папка"},
        {{1900, 1600}, path("folder.png"), false, "«folder.png»: под этим именем уже есть папка"},
        {{1900, 1600}, path("chart.png"), true, "Диаграмма пуста"},
    };
    for (const auto& c : cases) {
        if (c.emptyDiagram)
            store.diagram.emptyTable();
        const ChartFileResult result = writeChartFile(chart(c.ranges), c.target);
        EXPECT_FALSE(result.written);
        EXPECT_TRUE(result.text.contains(c.expected)) << result.text.toStdString();
        EXPECT_EQ(leftovers(), QStringList());
    }
    // SVG and PDF take what PNG refuses.
    store.diagram.emptyTable();
    insertPersonRow(store.diagram, DiagramRowType::Male, QPoint(850, 750), "Иванов", "Иван", 1);
    EXPECT_TRUE(writeChartFile(chart(tooWide), path("wide.svg")).written);
}

TEST(ChartPages, PlansForOnePageAndTheNaturalSize)
{
    const QSizeF a4(523, 770);
    const struct {
        QSize chart;
        PrintFit fit;
        double scale;
        int pages;
        int lastColumn, lastRow;
    } cases[] = {
        {{300, 200}, PrintFit::OnePage, 1, 1, 1, 1},            // never scaled up
        {{1046, 770}, PrintFit::OnePage, 0.5, 1, 1, 1},
        {{300, 200}, PrintFit::NaturalSize, 1, 1, 1, 1},
        {{523, 770}, PrintFit::NaturalSize, 1, 1, 1, 1},        // exactly one sheet
        {{524, 770}, PrintFit::NaturalSize, 1, 2, 2, 1},
        {{1000, 2000}, PrintFit::NaturalSize, 1, 6, 2, 3},
        {{30000, 30000}, PrintFit::NaturalSize, 1, 0, 0, 0},   // thousands of sheets are not laid out
    };
    for (const auto& c : cases) {
        const PrintPlan plan = planChartPrint(c.chart, a4, c.fit);
        EXPECT_DOUBLE_EQ(plan.scale, c.scale);
        ASSERT_EQ(int(plan.pages.size()), c.pages) << c.chart.width() << "×" << c.chart.height();
        if (c.pages == 0)
            continue;
        EXPECT_EQ(plan.pages.back().column, c.lastColumn);
        EXPECT_EQ(plan.pages.back().row, c.lastRow);
        // The sheets cover the chart, each overlapping the one before it.
        QRectF covered;
        for (const ChartPage& page : plan.pages)
            covered |= page.source;
        EXPECT_EQ(covered, QRectF(QPointF(), QSizeF(c.chart)));
        if (c.pages > 1) {
            EXPECT_DOUBLE_EQ(plan.pages[1].source.left(), a4.width() - pageOverlapPoints);
        }
    }
    EXPECT_EQ(naturalPageCount({30000, 30000}, a4), qint64(59) * 40);
}

TEST_F(ChartExport, PrintingGivesThePlannedPages)
{
    for (PrintFit fit : {PrintFit::OnePage, PrintFit::NaturalSize}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("print.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QSize ranges(18 * 85 + 1200, 18 * 75 + 1000);
        printChart(printer, chart(ranges), fit);
        const QSizeF paper = printer.pageLayout().paintRect(QPageLayout::Point).size();
        const PrintPlan plan = planChartPrint(QSize(1200, 1000), paper, fit);
        EXPECT_EQ(pdfPages(readFile(path("print.pdf"))), int(plan.pages.size()));
        // Sheets of the natural size carry their column and row.
        const QString words = pdfText(path("print.pdf"));
        EXPECT_EQ(words.contains(QStringLiteral("столбец/строка 3/2")), fit == PrintFit::NaturalSize)
            << words.toStdString();
    }
}

// pdftoppm's picture of a PDF's page at 72 dots per inch.
QImage pdfPicture(const QString& pdf)
{
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf, pdf + QStringLiteral("-picture")});
    EXPECT_TRUE(render.waitForFinished(20000)) << "pdftoppm (poppler-utils) is needed";
    return QImage(pdf + QStringLiteral("-picture.png"));
}

// However small its parts, the page looks exactly as the page QPdfWriter paints in one go.
TEST_F(ChartExport, APdfMadeInPartsLooksAsOnePaintedWhole)
{
    for (int n = 3; n <= 30; ++n) {
        insertPersonRow(store.diagram, n % 2 ? DiagramRowType::Male : DiagramRowType::Female,
                        QPoint(850 + 85 * (n % 6), 750 + 75 * (n / 6)), QStringLiteral("Фамилия%1").arg(n),
                        n % 3 ? "Анна Ивановна" : "Длинное Имя Отчество", n);
        insertLineRow(store.diagram, n / 2, n);
    }
    sortLinesFirst(store.diagram);
    settings.grid = true;
    const DiagramChart whole = chart();
    const QPageLayout page(QPageSize(QSizeF(whole.size()), QPageSize::Point, QString(), QPageSize::ExactMatch),
                           QPageLayout::Portrait, QMarginsF());
    {
        QPdfWriter writer(path("whole.pdf"));
        writer.setResolution(72);
        writer.setPageLayout(page);
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintChart(painter, whole, QRect(QPoint(), whole.size()));
    }
    const QImage expected = pdfPicture(path("whole.pdf"));
    ASSERT_FALSE(expected.isNull());
    for (int calls : {1, 7, 100000}) {
        const QString parted = path("parts.pdf");
        QFile file(parted);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        PdfInParts pdf(file, page, QStringLiteral("Arbolitus: parts"), calls);
        QPainter painter(&pdf);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintChart(painter, whole, QRect(QPoint(), whole.size()));
        EXPECT_TRUE(painter.end());
        EXPECT_FALSE(pdf.failure());
        EXPECT_EQ(pdf.parts() > 50, calls == 1);
        file.close();
        EXPECT_EQ(pdfPicture(parted), expected) << calls;
        EXPECT_EQ(pdfText(parted), pdfText(path("whole.pdf"))) << calls;
        EXPECT_EQ(pdfPages(readFile(parted)), 1);
    }

    // A device that takes nothing: the failure is told, not hidden.
    QBuffer refusing;
    refusing.open(QIODevice::ReadOnly);
    PdfInParts pdf(refusing, page, QStringLiteral("t"), 5);
    QPainter painter(&pdf);
    paintChart(painter, whole, QRect(QPoint(), whole.size()));
    EXPECT_FALSE(painter.end());
    EXPECT_TRUE(pdf.failure());
}

// A streamed file whose writer fails half way: the old file stays, no temporary is left.
TEST_F(ChartExport, AStreamedFileThatFailsLeavesTheOldOne)
{
    ASSERT_FALSE(saveStreamAtomically(path("kept.svg"), [](QIODevice& device) -> std::optional<QString> {
        device.write("<svg/>");
        return std::nullopt;
    }));
    const auto failed = saveStreamAtomically(path("kept.svg"), [](QIODevice& device) -> std::optional<QString> {
        device.write(QByteArray(1 << 20, 'x'));
        return QStringLiteral("нет места на диске");
    });
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->contains(QStringLiteral("«kept.svg»: нет места на диске"))) << failed->toStdString();
    EXPECT_EQ(readFile(path("kept.svg")), QByteArray("<svg/>"));
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("kept.svg")});
}

TEST(PdfJoin, ReadsValuesAndReferencesAsWritten)
{
    const QByteArray dictionary = "<<\n/Type /Page\n/Parent 3 0 R\n/Length1 18652 \n/Length 21 0 R\n"
                                  "/Title (a 7 0 R \\) b)\n/Kids \n[\n6 0 R 12 0 R\n]\n/Res << /F9 9 0 R /X <</Y 2 0 R>> >>\n"
                                  "/MediaBox [0 0 14400.000000 2.000000]>>";
    const struct {
        const char* key;
        std::optional<QByteArray> value;
    } cases[] = {
        {"Type", "/Page"},
        {"Parent", "3 0 R"},
        {"Length", "21 0 R"},  // not /Length1
        {"Length1", "18652"},
        {"Title", "(a 7 0 R \\) b)"},
        {"Kids", "[\n6 0 R 12 0 R\n]"},
        {"Res", "<< /F9 9 0 R /X <</Y 2 0 R>> >>"},
        {"MediaBox", "[0 0 14400.000000 2.000000]"},
        {"Contents", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pdfValue(dictionary, c.key), c.value) << c.key;
    // References inside strings are text, not references.
    EXPECT_EQ(pdfReferences(dictionary), (std::vector<int>{3, 21, 6, 12, 9, 2}));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PdfPageJoin join(buffer);
    EXPECT_TRUE(join.addPart("%PDF-1.4\nnot really\n"));
    EXPECT_TRUE(join.finish());  // no part, no page
}
