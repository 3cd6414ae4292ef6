#include "diagram/ui/DiagramView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

DiagramView::DiagramView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    viewport()->setObjectName(QStringLiteral("PaintBox1"));
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    updateScrollBars();
}

void DiagramView::setRanges(int horz, int vert)
{
    horzRange_ = std::max(0, horz);
    vertRange_ = std::max(0, vert);
    updateScrollBars();
}

int DiagramView::horzPosition() const
{
    return horizontalScrollBar()->value();
}

int DiagramView::vertPosition() const
{
    return verticalScrollBar()->value();
}

void DiagramView::setHorzPosition(int position)
{
    horizontalScrollBar()->setValue(clampedScrollPosition(position, horzRange_, clientWidth()));
}

void DiagramView::setVertPosition(int position)
{
    verticalScrollBar()->setValue(clampedScrollPosition(position, vertRange_, clientHeight()));
}

int DiagramView::clientWidth() const
{
    return viewport()->width();
}

int DiagramView::clientHeight() const
{
    return viewport()->height();
}

QRect DiagramView::visibleArea() const
{
    return QRect(scrollPosition(), viewport()->size());
}

QImage& DiagramView::canvas()
{
    const QSize size = viewport()->size().expandedTo(QSize(1, 1));
    if (canvas_.size() != size) {
        canvas_ = QImage(size, QImage::Format_RGB32);
        canvas_.fill(Qt::white);
        canvasStale_ = true;
    }
    return canvas_;
}

void DiagramView::showCanvas()
{
    canvasStale_ = false;
    viewport()->update();
}

void DiagramView::updateScrollBars()
{
    // The scroll bars hold positions from 0 to the range less the visible size.
    horizontalScrollBar()->setRange(0, std::max(0, horzRange_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    horizontalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setRange(0, std::max(0, vertRange_ - viewport()->height()));
    verticalScrollBar()->setPageStep(std::max(1, viewport()->height()));
    verticalScrollBar()->setSingleStep(8);
}

void DiagramView::invalidateCanvas()
{
    canvasStale_ = true;
    viewport()->update();
}

void DiagramView::paintEvent(QPaintEvent*)
{
    QImage& image = canvas();
    if (canvasStale_) {
        canvasStale_ = false;
        image.fill(Qt::white);
        if (onPaintRequest)
            onPaintRequest();
    }
    QPainter painter(viewport());
    painter.drawImage(0, 0, canvas_);
}

void DiagramView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    invalidateCanvas();
}

void DiagramView::scrollContentsBy(int, int)
{
    invalidateCanvas();
}

void DiagramView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    invalidateCanvas();
}

bool DiagramView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (onMouseDown)
            onMouseDown(mouse->button(), toDiagram(mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (onMouseMove)
            onMouseMove(toDiagram(mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (onMouseUp)
            onMouseUp(mouse->button(), toDiagram(mouse->position().toPoint()), mouse->globalPosition().toPoint());
        return true;
    }
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}
