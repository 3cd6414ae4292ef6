#include "diagram/ui/NavigatorGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int Size = 16;

// An arrow from the centre pointing along (dx, dy).
void drawArrow(QPainter& p, int dx, int dy)
{
    const QPointF c(8, 8);
    const QPointF tip = c + QPointF(6 * dx, 6 * dy);
    const QPointF back = c - QPointF(5 * dx, 5 * dy);
    const QPointF side(4 * dy, 4 * dx);
    p.drawLine(back, tip - QPointF(3 * dx, 3 * dy));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({tip, tip - QPointF(5 * dx, 5 * dy) + side, tip - QPointF(5 * dx, 5 * dy) - side}));
}

void drawCentre(QPainter& p)
{
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
}

void drawAxes(QPainter& p)
{
    p.drawLine(QPointF(3, 2), QPointF(3, 13));
    p.drawLine(QPointF(3, 13), QPointF(14, 13));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(3, 0), QPointF(0.5, 4), QPointF(5.5, 4)}));
    p.drawPolygon(QPolygonF({QPointF(16, 13), QPointF(12, 10.5), QPointF(12, 15.5)}));
}

// Three quarters of a circle with an arrow head at the end it turns towards.
void drawRotation(QPainter& p, bool clockwise)
{
    const QRectF ring(3, 3, 10, 10);
    QPainterPath path;
    path.arcMoveTo(ring, 90);
    path.arcTo(ring, 90, clockwise ? -270 : 270);
    p.drawPath(path);
    // Either way the turn ends on the side of the ring, heading up.
    const QPointF end = path.currentPosition();
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({end + QPointF(0, -4), end + QPointF(-3, 1), end + QPointF(3, 1)}));
}

void drawGlyph(QPainter& p, NavigatorGlyph glyph)
{
    switch (glyph) {
    case NavigatorGlyph::Left: return drawArrow(p, -1, 0);
    case NavigatorGlyph::Right: return drawArrow(p, 1, 0);
    case NavigatorGlyph::Up: return drawArrow(p, 0, -1);
    case NavigatorGlyph::Down: return drawArrow(p, 0, 1);
    case NavigatorGlyph::Centre: return drawCentre(p);
    case NavigatorGlyph::Plus:
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        [[fallthrough]];
    case NavigatorGlyph::Minus:
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        return;
    case NavigatorGlyph::Axes: return drawAxes(p);
    case NavigatorGlyph::RotateLeft: return drawRotation(p, false);
    case NavigatorGlyph::RotateRight: return drawRotation(p, true);
    case NavigatorGlyph::Pivot:
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        return;
    }
}

} // namespace

QIcon navigatorGlyph(NavigatorGlyph glyph)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    drawGlyph(p, glyph);
    return QIcon(pixmap);
}

QIcon glyphFromBitmap(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage glyph = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (glyph.pixel(x, y) == background)
                glyph.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QIcon(QPixmap::fromImage(glyph));
}
