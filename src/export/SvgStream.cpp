#include "export/SvgStream.h"

#include <QBuffer>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <vector>

namespace {

// Writes go out in blocks of about this size.
constexpr qsizetype flushBytes = 1 << 16;

QByteArray number(double value)
{
    if (std::abs(value) < 1e15 && value == std::floor(value))
        return QByteArray::number(qint64(value));
    QByteArray text = QByteArray::number(value, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

QByteArray colourName(const QColor& colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

QByteArray opacity(const QColor& colour)
{
    return number(std::round(colour.alphaF() * 1000) / 1000);
}

bool allowedInXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

QByteArray lineCap(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::SquareCap:
        return "square";
    case Qt::RoundCap:
        return "round";
    default:
        return "butt";
    }
}

QByteArray lineJoin(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::MiterJoin:
    case Qt::SvgMiterJoin:
        return "miter";
    case Qt::RoundJoin:
        return "round";
    default:
        return "bevel";
    }
}

QByteArray fontStyle(QFont::Style style)
{
    switch (style) {
    case QFont::StyleItalic:
        return "italic";
    case QFont::StyleOblique:
        return "oblique";
    default:
        return "normal";
    }
}

} // namespace

QByteArray xmlEscaped(const QString& text)
{
    QByteArray escaped;
    escaped.reserve(text.size() + text.size() / 2);
    for (char32_t c : text.toUcs4()) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            if (allowedInXml(c))
                escaped += QString::fromUcs4(&c, 1).toUtf8();
        }
    }
    return escaped;
}

class SvgStreamEngine : public QPaintEngine {
public:
    SvgStreamEngine(QIODevice& output, QSize size, const QString& title)
        : QPaintEngine(features()), output_(output), size_(size), title_(title)
    {
    }

    bool failed() const { return failed_; }

    bool begin(QPaintDevice*) override
    {
        put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"");
        put(number(std::round(size_.width() * 25.4 / 72 * 1000) / 1000) + "mm\" height=\"");
        put(number(std::round(size_.height() * 25.4 / 72 * 1000) / 1000) + "mm\"\n viewBox=\"0 0 ");
        put(number(size_.width()) + ' ' + number(size_.height()) + "\"\n");
        put(" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
            "version=\"1.2\" baseProfile=\"tiny\">\n");
        put("<title>" + xmlEscaped(title_) + "</title>\n");
        rootOpen_ = false;
        groupOpen_ = false;
        stateChanged_ = true;
        return !failed_;
    }

    bool end() override
    {
        closeGroup();
        put(rootOpen_ ? "</g>\n</svg>\n" : "</svg>\n");
        flush();
        return !failed_;
    }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags flags = state.state();
        if (flags & DirtyPen)
            pen_ = state.pen();
        if (flags & DirtyBrush)
            brush_ = state.brush();
        if (flags & DirtyFont)
            font_ = state.font();
        if (flags & DirtyTransform)
            transform_ = state.transform();
        if (flags & DirtyHints)
            smoothPictures_ = state.renderHints() & QPainter::SmoothPixmapTransform;
        if (flags & (DirtyPen | DirtyBrush | DirtyFont | DirtyTransform))
            stateChanged_ = true;
    }

    void drawRects(const QRectF* rects, int count) override
    {
        openGroup();
        for (int i = 0; i < count; ++i)
            put("<rect x=\"" + number(rects[i].x()) + "\" y=\"" + number(rects[i].y()) + "\" width=\""
                + number(rects[i].width()) + "\" height=\"" + number(rects[i].height()) + "\"/>\n");
    }

    void drawLines(const QLineF* lines, int count) override
    {
        openGroup();
        for (int i = 0; i < count; ++i)
            put("<line x1=\"" + number(lines[i].x1()) + "\" y1=\"" + number(lines[i].y1()) + "\" x2=\""
                + number(lines[i].x2()) + "\" y2=\"" + number(lines[i].y2()) + "\"/>\n");
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        openGroup();
        if (mode == PolylineMode)
            put("<polyline fill=\"none\" points=\"");
        else
            put(mode == WindingMode ? "<polygon fill-rule=\"nonzero\" points=\"" : "<polygon points=\"");
        for (int i = 0; i < count; ++i)
            put((i ? " " : "") + number(points[i].x()) + ',' + number(points[i].y()));
        put("\"/>\n");
    }

    void drawEllipse(const QRectF& r) override
    {
        openGroup();
        put("<ellipse cx=\"" + number(r.center().x()) + "\" cy=\"" + number(r.center().y()) + "\" rx=\""
            + number(r.width() / 2) + "\" ry=\"" + number(r.height() / 2) + "\"/>\n");
    }

    void drawPath(const QPainterPath& path) override
    {
        openGroup();
        put(path.fillRule() == Qt::WindingFill ? "<path fill-rule=\"nonzero\" d=\"" : "<path d=\"");
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QByteArray at = number(e.x) + ',' + number(e.y);
            if (e.type == QPainterPath::MoveToElement)
                put(" M" + at);
            else if (e.type == QPainterPath::LineToElement)
                put(" L" + at);
            else if (e.type == QPainterPath::CurveToElement)
                put(" C" + at);
            else
                put(" " + at);
        }
        put("\"/>\n");
    }

    // A raster pen of one pixel sets the pixel below and right of the point.
    void drawPoints(const QPointF* points, int count) override
    {
        if (pen_.style() == Qt::NoPen)
            return;
        openGroup();
        const double side = std::max(1.0, pen_.widthF());
        const QByteArray paint = " fill=\"" + colourName(pen_.color()) + "\" stroke=\"none\"/>\n";
        for (int i = 0; i < count; ++i) {
            const QPointF centre = points[i] + QPointF(0.5, 0.5);
            if (pen_.capStyle() == Qt::RoundCap && side > 1)
                put("<circle cx=\"" + number(centre.x()) + "\" cy=\"" + number(centre.y()) + "\" r=\""
                    + number(side / 2) + '"' + paint);
            else
                put("<rect x=\"" + number(centre.x() - side / 2) + "\" y=\"" + number(centre.y() - side / 2)
                    + "\" width=\"" + number(side) + "\" height=\"" + number(side) + '"' + paint);
        }
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
    {
        const QImage part = source == QRectF(image.rect()) ? image : image.copy(source.toAlignedRect());
        const QByteArray id = pictureId(part);
        openGroup();
        put("<use xlink:href=\"#" + id + '"');
        if (r.size() == QSizeF(part.size()))
            put(" x=\"" + number(r.x()) + "\" y=\"" + number(r.y()) + '"');
        else
            put(" transform=\"matrix(" + number(r.width() / part.width()) + ",0,0,"
                + number(r.height() / part.height()) + ',' + number(r.x()) + ',' + number(r.y()) + ")\"");
        put("/>\n");
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        openGroup();
        put("<text fill=\"" + colourName(pen_.color()) + '"');
        if (pen_.color().alpha() != 255)
            put(" fill-opacity=\"" + opacity(pen_.color()) + '"');
        put(" stroke=\"none\" xml:space=\"preserve\" x=\"" + number(p.x()) + "\" y=\"" + number(p.y()) + '"');
        if (item.font() != font_)
            put(fontAttributes(item.font()));
        put(">" + xmlEscaped(item.text()) + "</text>\n");
    }

    Type type() const override { return QPaintEngine::User; }

private:
    static PaintEngineFeatures features()
    {
        return PaintEngineFeatures(AllFeatures) & ~PatternBrush & ~PatternTransform & ~LinearGradientFill
               & ~RadialGradientFill & ~ConicalGradientFill & ~PorterDuff & ~PerspectiveTransform & ~BlendModes
               & ~RasterOpModes & ~MaskedBrush & ~ObjectBoundingModeGradients;
    }

    void put(const QByteArray& bytes)
    {
        if (failed_)
            return;
        buffer_ += bytes;
        if (buffer_.size() >= flushBytes)
            flush();
    }

    void flush()
    {
        if (!failed_ && !buffer_.isEmpty() && output_.write(buffer_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
    }

    static QByteArray fontAttributes(const QFont& font)
    {
        const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        return " font-family=\"" + xmlEscaped(font.family()) + "\" font-size=\"" + number(size)
               + "\" font-weight=\"" + QByteArray::number(int(font.weight())) + "\" font-style=\""
               + fontStyle(font.style()) + '"';
    }

    QByteArray penAttributes() const
    {
        if (pen_.style() == Qt::NoPen)
            return " stroke=\"none\"";
        const double width = pen_.widthF() > 0 ? pen_.widthF() : 1;
        QByteArray a = " stroke=\"" + colourName(pen_.color()) + "\" stroke-width=\"" + number(width)
                       + "\" stroke-linecap=\"" + lineCap(pen_.capStyle()) + "\" stroke-linejoin=\""
                       + lineJoin(pen_.joinStyle()) + '"';
        if (pen_.color().alpha() != 255)
            a += " stroke-opacity=\"" + opacity(pen_.color()) + '"';
        if (pen_.isCosmetic())
            a += " vector-effect=\"non-scaling-stroke\"";
        if (pen_.style() != Qt::SolidLine) {
            a += " stroke-dasharray=\"";
            const QList<qreal> pattern = pen_.dashPattern();
            for (qsizetype i = 0; i < pattern.size(); ++i)
                a += (i ? "," : "") + number(pattern[i] * width);
            a += '"';
        }
        return a;
    }

    QByteArray brushAttributes() const
    {
        if (brush_.style() == Qt::NoBrush)
            return " fill=\"none\"";
        QByteArray a = " fill=\"" + colourName(brush_.color()) + '"';
        if (brush_.color().alpha() != 255)
            a += " fill-opacity=\"" + opacity(brush_.color()) + '"';
        return a;
    }

    void closeGroup()
    {
        if (groupOpen_)
            put("</g>\n");
        groupOpen_ = false;
    }

    // Elements share their painter state through the group around them.
    void openGroup()
    {
        if (!stateChanged_ && groupOpen_)
            return;
        closeGroup();
        if (!rootOpen_) {
            // The font rarely changes: the root group carries the first one.
            rootFont_ = font_;
            put("<g fill=\"none\" stroke=\"black\" stroke-width=\"1\" fill-rule=\"evenodd\" "
                "stroke-linecap=\"square\" stroke-linejoin=\"bevel\"" + fontAttributes(rootFont_) + ">\n");
            rootOpen_ = true;
        }
        put("<g" + brushAttributes() + penAttributes());
        if (!transform_.isIdentity())
            put(" transform=\"matrix(" + number(transform_.m11()) + ',' + number(transform_.m12()) + ','
                + number(transform_.m21()) + ',' + number(transform_.m22()) + ',' + number(transform_.dx()) + ','
                + number(transform_.dy()) + ")\"");
        put((font_ == rootFont_ ? QByteArray() : fontAttributes(font_)) + ">\n");
        groupOpen_ = true;
        stateChanged_ = false;
    }

    // Each distinct picture is embedded at its first use.
    QByteArray pictureId(const QImage& image)
    {
        if (const auto known = idByKey_.constFind(image.cacheKey()); known != idByKey_.cend())
            return known.value();
        for (const auto& [picture, id] : pictures_)
            if (picture == image) {
                idByKey_.insert(image.cacheKey(), id);
                return id;
            }
        const QByteArray id = "picture" + QByteArray::number(qsizetype(pictures_.size()) + 1);
        closeGroup();
        put("<defs><image id=\"" + id + "\" width=\"" + number(image.width()) + "\" height=\""
            + number(image.height()) + "\" preserveAspectRatio=\"none\"");
        if (!smoothPictures_)
            put(" image-rendering=\"optimizeSpeed\"");
        put(" xlink:href=\"data:image/png;base64," + pngOf(image).toBase64() + "\"/></defs>\n");
        pictures_.emplace_back(image, id);
        idByKey_.insert(image.cacheKey(), id);
        return id;
    }

    static QByteArray pngOf(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    QIODevice& output_;
    QSize size_;
    QString title_;
    QByteArray buffer_;
    bool failed_ = false;
    bool rootOpen_ = false;
    bool groupOpen_ = false;
    bool stateChanged_ = true;
    bool smoothPictures_ = false;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    QFont rootFont_;
    QTransform transform_;
    std::vector<std::pair<QImage, QByteArray>> pictures_;
    QHash<qint64, QByteArray> idByKey_;
};

SvgStream::SvgStream(QIODevice& output, QSize size, const QString& title)
    : size_(size), engine_(std::make_unique<SvgStreamEngine>(output, size, title))
{
}

SvgStream::~SvgStream() = default;

QPaintEngine* SvgStream::paintEngine() const
{
    return engine_.get();
}

bool SvgStream::failed() const
{
    return engine_->failed();
}

int SvgStream::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / 72);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / 72);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}
