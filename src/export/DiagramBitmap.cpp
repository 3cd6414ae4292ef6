#include "export/DiagramBitmap.h"

#include <algorithm>

namespace {

// Rendering goes through colour strips of at most this many pixels, so that
// memory stays near the size of the one-bit result.
constexpr qint64 stripPixels = 8'000'000;

QVector<QRgb> blackAndWhite()
{
    return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

void copyStripAsBits(const QImage& strip, QImage& bitmap, int top)
{
    const QImage bits = strip.convertToFormat(QImage::Format_Mono, blackAndWhite(), Qt::ThresholdDither);
    const int bytes = std::min<int>(int(bits.bytesPerLine()), int(bitmap.bytesPerLine()));
    for (int y = 0; y < bits.height(); ++y)
        std::copy_n(bits.constScanLine(y), bytes, bitmap.scanLine(top + y));
}

} // namespace

QSize diagramBitmapSize(QSize scrollRanges, DiagramUnits units)
{
    return {scrollRanges.width() - 18 * units.h, scrollRanges.height() - 18 * units.v};
}

std::variant<QImage, QString> renderDiagramBitmap(const RecordTable& items, const LegendPictures& pictures,
                                                  const DiagramSettings& settings, const QFont& font,
                                                  QSize scrollRanges)
{
    const QSize size = diagramBitmapSize(scrollRanges, settings.units);
    if (size.width() <= 0 || size.height() <= 0 || items.isEmpty())
        return QStringLiteral("Диаграмма пуста: нечего копировать в буфер обмена");
    if (size.width() > maxBitmapSide || size.height() > maxBitmapSide
        || qint64(size.width()) * size.height() > maxBitmapPixels)
        return QStringLiteral("Диаграмма слишком велика для копирования в буфер обмена (%1 × %2 точек)")
            .arg(size.width())
            .arg(size.height());

    QImage bitmap(size, QImage::Format_Mono);
    if (bitmap.isNull())
        return QStringLiteral("Не хватает памяти для изображения %1 × %2 точек").arg(size.width()).arg(size.height());
    bitmap.setColorTable(blackAndWhite());

    CanvasState canvas;
    canvas.penWidth = settings.lineWidth;
    canvas.font = font;
    canvas.font.setStyleStrategy(QFont::NoAntialias);
    DiagramPass pass;
    pass.shift = QPoint(-9 * settings.units.h, -9 * settings.units.v);
    pass.firstWordOfFamilyName = false;
    pass.captionsOfAnyPersonRow = false;

    const int stripHeight = int(std::max<qint64>(1, stripPixels / size.width()));
    QImage strip(size.width(), std::min(stripHeight, size.height()), QImage::Format_RGB32);
    for (int top = 0; top < size.height(); top += strip.height()) {
        strip.fill(Qt::white);
        QPainter painter(&strip);
        painter.translate(0, -top);
        paintDiagramRows(painter, items, pictures, settings, canvas, pass);
        painter.end();
        const int rows = std::min(strip.height(), size.height() - top);
        copyStripAsBits(rows == strip.height() ? strip : strip.copy(0, 0, size.width(), rows), bitmap, top);
    }
    return bitmap;
}
