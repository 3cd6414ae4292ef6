// The diagram's settings and the scroll box as values of the meta table.
#include "treefile/TreeFileMeta.h"

#include <QBuffer>

namespace treefile {

namespace {

QByteArray pngOf(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray number(int value)
{
    return QByteArray::number(value);
}

} // namespace

MetaValues diagramMeta(const TreeFileDiagram& d)
{
    const DiagramSettings& s = d.settings;
    return {
        {QStringLiteral("diagram.names"), number(s.names)},
        {QStringLiteral("diagram.familyNames"), number(s.familyNames)},
        {QStringLiteral("diagram.straightLines"), number(s.straightLines)},
        {QStringLiteral("diagram.grid"), number(s.grid)},
        {QStringLiteral("diagram.lineWidth"), number(s.lineWidth)},
        {QStringLiteral("diagram.h"), number(s.units.h)},
        {QStringLiteral("diagram.v"), number(s.units.v)},
        {QStringLiteral("diagram.font"), d.font.toUtf8()},
        {QStringLiteral("diagram.malePicture"), pngOf(d.malePicture)},
        {QStringLiteral("diagram.femalePicture"), pngOf(d.femalePicture)},
        {QStringLiteral("scroll.horzRange"), number(d.horzRange)},
        {QStringLiteral("scroll.vertRange"), number(d.vertRange)},
        {QStringLiteral("scroll.horzPosition"), number(d.horzPosition)},
        {QStringLiteral("scroll.vertPosition"), number(d.vertPosition)},
    };
}

// Reads what is there; a value that is missing keeps its default, one that
// does not fit makes the whole file refused.
std::optional<TreeFileDiagram> diagramFromMeta(const MetaValues& meta)
{
    TreeFileDiagram d;
    bool ok = true;
    auto integer = [&](const char* key, int& target, int minimum, int maximum) {
        const auto found = meta.find(QString::fromLatin1(key));
        if (found == meta.end())
            return;
        bool isNumber = false;
        const int value = found->second.toInt(&isNumber);
        ok = ok && isNumber && value >= minimum && value <= maximum;
        target = value;
    };
    auto flag = [&](const char* key, bool& target) {
        int value = target;
        integer(key, value, 0, 1);
        target = value == 1;
    };
    DiagramSettings& s = d.settings;
    flag("diagram.names", s.names);
    flag("diagram.familyNames", s.familyNames);
    flag("diagram.straightLines", s.straightLines);
    flag("diagram.grid", s.grid);
    integer("diagram.lineWidth", s.lineWidth, 1, 10);
    integer("diagram.h", s.units.h, 1, 100000);
    integer("diagram.v", s.units.v, 1, 100000);
    integer("scroll.horzRange", d.horzRange, 0, maxDiagramCoordinate);
    integer("scroll.vertRange", d.vertRange, 0, maxDiagramCoordinate);
    integer("scroll.horzPosition", d.horzPosition, 0, maxDiagramCoordinate);
    integer("scroll.vertPosition", d.vertPosition, 0, maxDiagramCoordinate);
    if (const auto font = meta.find(QStringLiteral("diagram.font")); font != meta.end())
        d.font = QString::fromUtf8(font->second);
    for (auto [key, picture] : {std::pair{"diagram.malePicture", &d.malePicture}, {"diagram.femalePicture", &d.femalePicture}})
        if (const auto png = meta.find(QString::fromLatin1(key)); png != meta.end() && !png->second.isEmpty())
            ok = ok && picture->loadFromData(png->second, "PNG");
    if (!ok)
        return std::nullopt;
    return d;
}

} // namespace treefile
