#include "export/PdfInParts.h"

#include "export/PdfJoin.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

namespace {

void setUp(QPdfWriter& writer, const QPageLayout& page, const QString& title)
{
    writer.setResolution(72);
    writer.setCreator(QStringLiteral("Arbolitus"));
    writer.setTitle(title);
    writer.setPageLayout(page);
}

QString notWritten()
{
    return QStringLiteral("не удалось записать изображение");
}

} // namespace

// Hands every drawing call on to a painter over the part under way.
class PdfInPartsEngine : public QPaintEngine {
public:
    PdfInPartsEngine(QIODevice& output, const QPageLayout& page, const QString& title, int callsPerPart)
        : QPaintEngine(AllFeatures), join_(output), page_(page), title_(title), callsPerPart_(callsPerPart),
          measure_(&nowhere_)
    {
        setUp(measure_, page, title);
    }

    const QPdfWriter& measure() const { return measure_; }
    std::optional<QString> failure() const { return failure_; }
    int parts() const { return parts_; }

    bool begin(QPaintDevice*) override { return true; }

    bool end() override
    {
        if (parts_ == 0)
            openPart();  // an empty drawing is still a page
        closePart();
        if (!failure_)
            failure_ = join_.finish();
        return !failure_;
    }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            pen_ = state.pen();
        if (flags & DirtyBrush)
            brush_ = state.brush();
        if (flags & DirtyBrushOrigin)
            brushOrigin_ = state.brushOrigin();
        if (flags & DirtyFont)
            font_ = state.font();
        if (flags & DirtyTransform)
            transform_ = state.transform();
        if (flags & DirtyHints)
            hints_ = state.renderHints();
        if (flags & DirtyOpacity)
            opacity_ = state.opacity();
        if (flags & DirtyCompositionMode)
            composition_ = state.compositionMode();
        if (painting_)
            applyState(flags);
    }

    void drawRects(const QRectF* rects, int count) override
    {
        if (open())
            target_.drawRects(rects, count);
        counted();
    }

    void drawLines(const QLineF* lines, int count) override
    {
        if (open())
            target_.drawLines(lines, count);
        counted();
    }

    void drawEllipse(const QRectF& r) override
    {
        if (open())
            target_.drawEllipse(r);
        counted();
    }

    void drawPath(const QPainterPath& path) override
    {
        if (open())
            target_.drawPath(path);
        counted();
    }

    void drawPoints(const QPointF* points, int count) override
    {
        if (open())
            target_.drawPoints(points, count);
        counted();
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (open()) {
            if (mode == PolylineMode)
                target_.drawPolyline(points, count);
            else if (mode == ConvexMode)
                target_.drawConvexPolygon(points, count);
            else
                target_.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        }
        counted();
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
    {
        if (open())
            target_.drawPixmap(r, pixmap, source);
        counted();
    }

    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& offset) override
    {
        if (open())
            target_.drawTiledPixmap(r, pixmap, offset);
        counted();
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags flags) override
    {
        if (open())
            target_.drawImage(r, image, source, flags);
        counted();
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        if (open())
            target_.drawTextItem(p, item);
        counted();
    }

    Type type() const override { return QPaintEngine::User; }

private:
    // The part under way, opened when needed; false once anything failed.
    bool open()
    {
        if (failure_)
            return false;
        if (!painting_)
            openPart();
        return painting_;
    }

    void counted()
    {
        if (painting_ && ++calls_ >= callsPerPart_)
            closePart();
    }

    void openPart()
    {
        bytes_.clear();
        buffer_.setBuffer(&bytes_);
        buffer_.open(QIODevice::WriteOnly);
        writer_ = std::make_unique<QPdfWriter>(&buffer_);
        setUp(*writer_, page_, title_);
        if (!target_.begin(writer_.get())) {
            failure_ = notWritten();
            return;
        }
        // The opaque backgrounds of texts reach here drawn already.
        target_.setBackgroundMode(Qt::TransparentMode);
        painting_ = true;
        calls_ = 0;
        ++parts_;
        applyState(AllDirty);
    }

    void closePart()
    {
        if (!painting_)
            return;
        painting_ = false;
        const bool ended = target_.end();
        writer_.reset();
        buffer_.close();
        if (!ended)
            failure_ = notWritten();
        else if (const auto error = join_.addPart(bytes_))
            failure_ = error;
        else if (join_.failed())
            failure_ = notWritten();
        bytes_ = QByteArray();
    }

    void applyState(DirtyFlags flags)
    {
        if (flags & DirtyPen)
            target_.setPen(pen_);
        if (flags & DirtyBrush)
            target_.setBrush(brush_);
        if (flags & DirtyBrushOrigin)
            target_.setBrushOrigin(brushOrigin_);
        if (flags & DirtyFont)
            target_.setFont(font_);
        if (flags & DirtyHints) {
            target_.setRenderHints(QPainter::RenderHints(~0), false);
            target_.setRenderHints(hints_, true);
        }
        if (flags & DirtyOpacity)
            target_.setOpacity(opacity_);
        if (flags & DirtyCompositionMode)
            target_.setCompositionMode(composition_);
        if (flags & DirtyTransform)
            target_.setWorldTransform(transform_);
        if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform)) {
            const QPainter* source = painter();
            const bool clipped = source && source->hasClipping();
            if (clipped)
                target_.setClipPath(source->clipPath());
            else if (target_.hasClipping())
                target_.setClipping(false);
        }
    }

    QBuffer nowhere_;
    PdfPageJoin join_;
    QPageLayout page_;
    QString title_;
    int callsPerPart_;
    QPdfWriter measure_;

    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter target_;
    bool painting_ = false;
    int calls_ = 0;
    int parts_ = 0;
    std::optional<QString> failure_;

    QPen pen_;
    QBrush brush_;
    QPointF brushOrigin_;
    QFont font_;
    QTransform transform_;
    QPainter::RenderHints hints_;
    qreal opacity_ = 1;
    QPainter::CompositionMode composition_ = QPainter::CompositionMode_SourceOver;
};

PdfInParts::PdfInParts(QIODevice& output, const QPageLayout& page, const QString& title, int callsPerPart)
    : engine_(std::make_unique<PdfInPartsEngine>(output, page, title, std::max(1, callsPerPart)))
{
}

PdfInParts::~PdfInParts() = default;

QPaintEngine* PdfInParts::paintEngine() const
{
    return engine_.get();
}

std::optional<QString> PdfInParts::failure() const
{
    return engine_->failure();
}

int PdfInParts::parts() const
{
    return engine_->parts();
}

int PdfInParts::metric(PaintDeviceMetric metric) const
{
    const QPdfWriter& w = engine_->measure();
    switch (metric) {
    case PdmWidth:
        return w.width();
    case PdmHeight:
        return w.height();
    case PdmWidthMM:
        return w.widthMM();
    case PdmHeightMM:
        return w.heightMM();
    case PdmNumColors:
        return w.colorCount();
    case PdmDepth:
        return w.depth();
    case PdmDpiX:
        return w.logicalDpiX();
    case PdmDpiY:
        return w.logicalDpiY();
    case PdmPhysicalDpiX:
        return w.physicalDpiX();
    case PdmPhysicalDpiY:
        return w.physicalDpiY();
    case PdmDevicePixelRatio:
        return int(w.devicePixelRatio());
    case PdmDevicePixelRatioScaled:
        return int(w.devicePixelRatioF() * devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}
