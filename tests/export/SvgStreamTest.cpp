#include "diagram/DiagramRows.h"
#include "export/ChartFile.h"
#include "export/SvgStream.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A diagram of a few boxes of both sexes, some joined, with short, long,
// Cyrillic and markup-laden captions, under random settings.
struct RandomChart {
    GenealogyStore store;
    LegendPictures pictures = LegendPictures::builtIn();
    DiagramSettings settings;
    QFont font{QStringLiteral("DejaVu Sans")};
    QSize ranges;

    explicit RandomChart(quint32 seed)
    {
        QRandomGenerator random(seed);
        const QStringList words = {"Иванов", "Петрова-Водкина", "Ёлкин", "Smith & <Sons>", "\"Кавычки\"",
                                   "Длиннофамильная Наименовательница Многословная", "Ы", "Щ Ъ Ь"};
        const auto word = [&] { return words[random.bounded(int(words.size()))]; };
        font.setPixelSize(8 + random.bounded(5));
        settings.straightLines = random.bounded(2);
        settings.names = random.bounded(4) != 0;
        settings.familyNames = random.bounded(4) != 0;
        settings.grid = random.bounded(3) == 0;
        settings.lineWidth = 1 + random.bounded(3);
        const int boxes = 2 + random.bounded(10);
        for (int n = 1; n <= boxes; ++n)
            insertPersonRow(store.diagram, 1 + random.bounded(2),
                            QPoint(850 + random.bounded(12) * 85, 750 + random.bounded(8) * 75), word(), word(), n);
        for (int line = random.bounded(boxes + 1); line > 0; --line)
            insertLineRow(store.diagram, 1 + random.bounded(boxes), 1 + random.bounded(boxes));
        sortLinesFirst(store.diagram);
        ranges = QSize(18 * 85 + 1200, 18 * 75 + 800);
    }
    DiagramChart chart() const { return {store.diagram, pictures, settings, font, ranges}; }
};

QImage rendered(const QString& svgPath, QSize size)
{
    QSvgRenderer renderer(svgPath);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), QSizeF(size)));
    return image;
}

// Ink of one picture that the other has nowhere near: smoothing and unhinted
// letters move edges by a pixel or two, a missing or misplaced box, line or
// caption moves far more.
std::vector<QPoint> strayInk(const QImage& a, const QImage& b)
{
    std::vector<QPoint> stray;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (qGray(a.pixel(x, y)) >= 96)
                continue;
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; ++dy)
                for (int dx = -2; dx <= 2 && !near; ++dx)
                    near = b.valid(x + dx, y + dy) && qGray(b.pixel(x + dx, y + dy)) < 224;
            if (!near)
                stray.emplace_back(x, y);
        }
    return stray;
}

// A device that takes so many bytes and then refuses, counting the attempts after.
class FillingDevice : public QIODevice {
public:
    explicit FillingDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
    qint64 taken = 0;
    int refusals = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (taken + length > room_) {
            ++refusals;
            return -1;
        }
        taken += length;
        return length;
    }

private:
    qint64 room_;
};

} // namespace

TEST(SvgStream, RandomChartsLookAsPaintedDirectly)
{
    QTemporaryDir dir;
    for (quint32 seed = 1; seed <= 8; ++seed) {
        const RandomChart random(seed);
        const DiagramChart chart = random.chart();
        const QString path = dir.filePath(QStringLiteral("chart%1.svg").arg(seed));
        ASSERT_TRUE(writeChartFile(chart, path).written);
        const QImage painted = renderChartArea(chart, QRect(QPoint(), chart.size()));
        const QImage svg = rendered(path, chart.size());
        for (const auto& stray : {strayInk(painted, svg), strayInk(svg, painted)})
            EXPECT_LE(stray.size(), 8u) << "seed " << seed << ", first at " << stray[0].x() << "," << stray[0].y();
        if (qEnvironmentVariableIsSet("SVG_DUMP")) {
            painted.save(dir.filePath("p.png"));
            svg.save(QStringLiteral("/tmp/svg%1.png").arg(seed));
            painted.save(QStringLiteral("/tmp/painted%1.png").arg(seed));
            QFile::copy(path, QStringLiteral("/tmp/chart%1.svg").arg(seed));
        }

        // Each picture is embedded once however many boxes show it.
        const QByteArray bytes = readFile(path);
        EXPECT_LE(bytes.count("data:image/png"), 2);
        EXPECT_TRUE(bytes.contains("viewBox=\"0 0 1200 800\""));
        EXPECT_TRUE(bytes.contains(QStringLiteral("<title>Arbolitus: chart%1</title>").arg(seed).toUtf8()));
    }
}

TEST(SvgStream, EscapesMarkupAndDropsWhatXmlCannotHold)
{
    const struct {
        QString text;
        QByteArray xml;
    } cases[] = {
        {"Smith & <Sons>", "Smith &amp; &lt;Sons&gt;"},
        {"\"Ёлкин\"", "&quot;Ёлкин&quot;"},
        {QString("a") + QChar(0x1) + QChar(0x1f) + "b\tc", "ab\tc"},
        {QString("x") + QChar(0xfffe) + "y" + QChar(0xd800), "xy\xef\xbf\xbd"},  // a lone half becomes U+FFFD
        {QString::fromUcs4(U"🌳"), "🌳"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xmlEscaped(c.text), c.xml) << c.text.toStdString();

    // A name that would break the markup still gives a picture that reads.
    RandomChart random(3);
    insertPersonRow(random.store.diagram, 2, QPoint(850, 750), QString("<&>") + QChar(0x7), "]]>", 99);
    QTemporaryDir dir;
    ASSERT_TRUE(writeChartFile(random.chart(), dir.filePath("odd.svg")).written);
    EXPECT_TRUE(QSvgRenderer(dir.filePath("odd.svg")).isValid());
}

TEST(SvgStream, AFailedWriteIsReportedAndNothingIsTriedAfterIt)
{
    const RandomChart random(5);
    const DiagramChart chart = random.chart();
    for (qint64 room : {0, 100, 70000}) {
        FillingDevice device(room);
        SvgStream svg(device, chart.size(), QStringLiteral("t"));
        QPainter painter(&svg);
        paintChart(painter, chart, QRect(QPoint(), chart.size()));
        for (int i = 0; i < 20000; ++i)  // enough to pass any buffer
            painter.drawLine(0, i, 10, i);
        EXPECT_FALSE(painter.end()) << room;
        EXPECT_TRUE(svg.failed());
        EXPECT_EQ(device.refusals, 1);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SvgStream svg(buffer, chart.size(), QStringLiteral("t"));
    QPainter painter(&svg);
    paintChart(painter, chart, QRect(QPoint(), chart.size()));
    EXPECT_TRUE(painter.end());
    EXPECT_FALSE(svg.failed());
    EXPECT_TRUE(bytes.endsWith("</svg>\n"));
}
