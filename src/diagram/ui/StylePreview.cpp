#include "diagram/ui/StylePreview.h"

#include <QPainter>

QImage stylePreview(bool straightLines)
{
    QImage image(41, 41, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    const QPoint father(8, 8), mother(32, 8), child(20, 32);
    if (straightLines) {
        p.drawLine(father, child);
        p.drawLine(mother, child);
    } else {
        p.drawLine(child.x(), child.y(), child.x(), 20);
        p.drawLine(father.x(), 20, mother.x(), 20);
        p.drawLine(father.x(), father.y(), father.x(), 20);
        p.drawLine(mother.x(), mother.y(), mother.x(), 20);
    }
    p.setBrush(Qt::white);
    p.drawRect(father.x() - 4, father.y() - 4, 8, 8);
    p.drawEllipse(mother, 4, 4);
    p.drawRect(child.x() - 4, child.y() - 4, 8, 8);
    return image;
}
