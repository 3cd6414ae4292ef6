#include "export/ChartFile.h"

#include "export/DiagramBitmap.h"
#include "export/PdfInParts.h"
#include "export/SvgStream.h"
#include "treefile/AtomicFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <cmath>
#include <variant>

namespace {

QString productTitle(const QString& path)
{
    return QStringLiteral("Arbolitus: %1").arg(QFileInfo(path).completeBaseName());
}

std::optional<QString> pngRefusal(QSize size)
{
    if (!isBitmapTooLarge(size))
        return std::nullopt;
    return QStringLiteral("Изображение %1 × %2 точек слишком велико для PNG: допустимо не более 32 767 точек "
                          "по стороне и 200 миллионов точек всего. Сохраните его в SVG или PDF.")
        .arg(size.width())
        .arg(size.height());
}

// The PNG is made in memory, SVG and PDF are written as they are painted,
// into the temporary of the atomic writer, which checks that each byte
// reached the disk: the painters' devices stay silent when a write fails.
using Encoded = std::variant<QByteArray, QString>;

Encoded encodePng(const DiagramChart& chart)
{
    const QImage image = renderChartArea(chart, QRect(QPoint(), chart.size()));
    if (image.isNull())
        return QStringLiteral("не хватает памяти для изображения");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return QStringLiteral("не хватает памяти для изображения");
    return bytes;
}

using Failure = std::optional<QString>;

Failure writeSvg(const DiagramChart& chart, const QString& target, QIODevice& device)
{
    SvgStream svg(device, chart.size(), productTitle(target));
    QPainter painter;
    if (!painter.begin(&svg))
        return QStringLiteral("не хватает памяти для изображения");
    painter.setRenderHint(QPainter::SmoothPixmapTransform);  // the viewer scales the legend pictures
    paintChart(painter, chart, QRect(QPoint(), chart.size()));
    if (!painter.end() || svg.failed())
        return QStringLiteral("не удалось записать изображение");
    return std::nullopt;
}

Failure writePdf(const DiagramChart& chart, const QString& target, QIODevice& device)
{
    const double scale = pdfScale(chart.size());
    const QSizeF page(chart.size().width() * scale, chart.size().height() * scale);
    PdfInParts pdf(device,
                 QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch),
                             QPageLayout::Portrait, QMarginsF()),
                 productTitle(target));
    QPainter painter;
    if (!painter.begin(&pdf))
        return QStringLiteral("не хватает памяти для изображения");
    painter.setRenderHint(QPainter::SmoothPixmapTransform);  // the viewer scales the legend pictures
    painter.scale(scale, scale);
    paintChart(painter, chart, QRect(QPoint(), chart.size()));
    painter.end();
    return pdf.failure();
}

Failure saveChart(const DiagramChart& chart, ChartFormat format, const QString& path)
{
    if (format == ChartFormat::Png) {
        const Encoded encoded = encodePng(chart);
        if (const QString* reason = std::get_if<QString>(&encoded))
            return QStringLiteral("Не удалось сохранить файл «%1»: %2.").arg(QFileInfo(path).fileName(), *reason);
        return saveBytesAtomically(path, std::get<QByteArray>(encoded), NewFileAccess::FollowUmask);
    }
    return saveStreamAtomically(
        path,
        [&](QIODevice& device) {
            return format == ChartFormat::Svg ? writeSvg(chart, path, device) : writePdf(chart, path, device);
        },
        NewFileAccess::FollowUmask);
}

QString writtenNote(const DiagramChart& chart, ChartFormat format, const QString& path)
{
    QString note = QStringLiteral("Изображение %1 × %2 точек записано в файл «%3».")
                       .arg(chart.size().width())
                       .arg(chart.size().height())
                       .arg(QFileInfo(path).fileName());
    const double scale = pdfScale(chart.size());
    if (format == ChartFormat::Pdf && scale < 1)
        note += QStringLiteral(" Страница PDF уменьшена до %1 %, чтобы не превышать 200 × 200 дюймов.")
                    .arg(QString::number(scale * 100, 'f', scale < 0.1 ? 2 : 1));
    return note;
}

} // namespace

std::optional<ChartFormat> chartFormatOfPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ChartFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ChartFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ChartFormat::Pdf;
    return std::nullopt;
}

double pdfScale(QSize size)
{
    const int side = std::max(size.width(), size.height());
    return side > maxPdfPagePoints ? maxPdfPagePoints / side : 1.0;
}

ChartFileResult writeChartFile(const DiagramChart& chart, const QString& path)
{
    const std::optional<ChartFormat> format = chartFormatOfPath(path);
    if (!format)
        return {false, QStringLiteral("Не удалось сохранить файл «%1»: неизвестный формат изображения "
                                      "(допустимы .png, .svg и .pdf).")
                           .arg(QFileInfo(path).fileName())};
    if (auto refusal = chart.emptyRefusal(QStringLiteral("записывать в файл")))
        return {false, *refusal};
    if (*format == ChartFormat::Png)
        if (auto refusal = pngRefusal(chart.size()))
            return {false, *refusal};
    if (const Failure error = saveChart(chart, *format, path))
        return {false, *error};
    return {true, writtenNote(chart, *format, path)};
}
