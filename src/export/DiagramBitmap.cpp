#include "export/DiagramBitmap.h"

#include "treefile/AtomicFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>

namespace {

// Rendering goes through colour strips of at most this many pixels, so that
// memory stays near the size of the one-bit result.
constexpr qint64 stripPixels = 8'000'000;

QVector<QRgb> blackAndWhite()
{
    return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

// Each pixel becomes black or white by its brightness, as a one-bit device matches colours.
void copyStripAsBits(const QImage& strip, int rows, QImage& bitmap, int top)
{
    const int width = strip.width();
    for (int y = 0; y < rows; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        uchar* target = bitmap.scanLine(top + y);
        std::fill_n(target, bitmap.bytesPerLine(), uchar(0));
        for (int x = 0; x < width; ++x)
            if (qGray(source[x]) >= 128)
                target[x >> 3] |= uchar(0x80 >> (x & 7));  // index 1, white
    }
}

} // namespace

bool isBitmapTooLarge(QSize size)
{
    return size.width() > maxBitmapSide || size.height() > maxBitmapSide
           || qint64(size.width()) * size.height() > maxBitmapPixels;
}

std::variant<QImage, QString> renderDiagramBitmap(const RecordTable& items, const LegendPictures& pictures,
                                                  const DiagramSettings& settings, const QFont& font,
                                                  QSize scrollRanges)
{
    return renderDiagramBitmap(DiagramChart{items, pictures, settings, font, scrollRanges});
}

std::variant<QImage, QString> renderDiagramBitmap(const DiagramChart& chart)
{
    if (auto refusal = chart.emptyRefusal(QStringLiteral("копировать в буфер обмена")))
        return *refusal;
    const QSize size = chart.size();
    if (isBitmapTooLarge(size))
        return QStringLiteral("Диаграмма слишком велика для копирования в буфер обмена (%1 × %2 точек)")
            .arg(size.width())
            .arg(size.height());

    QImage bitmap(size, QImage::Format_Mono);
    if (bitmap.isNull())
        return QStringLiteral("Не хватает памяти для изображения %1 × %2 точек").arg(size.width()).arg(size.height());
    bitmap.setColorTable(blackAndWhite());

    const int stripHeight = int(std::max<qint64>(1, stripPixels / size.width()));
    QImage strip(size.width(), std::min(stripHeight, size.height()), QImage::Format_RGB32);
    for (int top = 0; top < size.height(); top += strip.height()) {
        strip.fill(Qt::white);
        QPainter painter(&strip);
        painter.translate(0, -top);
        paintChart(painter, chart, QRect(QPoint(0, top), strip.size()));
        painter.end();
        const int rows = std::min(strip.height(), size.height() - top);
        copyStripAsBits(strip, rows, bitmap, top);
    }
    return bitmap;
}

std::optional<QString> saveBitmapFile(const QImage& bitmap, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "bmp").write(bitmap))
        return QStringLiteral("Не удалось сохранить файл «%1»: не хватает памяти для изображения.").arg(QFileInfo(path).fileName());
    return saveBytesAtomically(path, bytes, NewFileAccess::FollowUmask);
}
