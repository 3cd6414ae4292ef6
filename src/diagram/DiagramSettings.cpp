#include "diagram/DiagramSettings.h"

#include <cmath>

int fontHeightValue(const QFont& font)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    // Character height at the screen's nominal 96 dots per inch.
    return -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
}

int captionStep(const QFont& font)
{
    return -int(fontHeightValue(font) * 1.5);
}

QFont initialDiagramFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(8);
    return font;
}

void substituteDesignedFont()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
}
