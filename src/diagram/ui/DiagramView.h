#pragma once
#include "diagram/DiagramScroll.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

// ScrollBox1 with PaintBox1 as its viewport. Drawing goes to a backing image
// of the visible part, so that the inverting raster operations of banding and
// dragging work; the widget shows that image.
class DiagramView : public QAbstractScrollArea, public DiagramScroll {
    Q_OBJECT
public:
    explicit DiagramView(QWidget* parent = nullptr);

    int horzRange() const override { return horzRange_; }
    int vertRange() const override { return vertRange_; }
    void setRanges(int horz, int vert) override;
    int horzPosition() const override;
    int vertPosition() const override;
    void setHorzPosition(int position) override;
    void setVertPosition(int position) override;
    int clientWidth() const override;
    int clientHeight() const override;
    int outerWidth() const override { return width(); }
    int outerHeight() const override { return height(); }

    QPoint scrollPosition() const { return {horzPosition(), vertPosition()}; }
    // The visible part in diagram coordinates.
    QRect visibleArea() const;
    // The backing image, sized to the visible part.
    QImage& canvas();
    const QImage& canvasImage() const { return canvas_; }
    // Shows what was drawn on the canvas.
    void showCanvas();

    // Called when the windowing system wants the view painted anew, after the
    // view has been cleared to white.
    std::function<void()> onPaintRequest;
    // Pointer events in diagram coordinates.
    std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
    std::function<void(QPoint)> onMouseMove;
    std::function<void(Qt::MouseButton, QPoint, QPoint)> onMouseUp;  // diagram and screen position

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateScrollBars();
    void invalidateCanvas();
    QPoint toDiagram(QPoint viewportPos) const { return viewportPos + scrollPosition(); }

    int horzRange_ = 0;
    int vertRange_ = 0;
    QImage canvas_;
    bool canvasStale_ = true;
};
