#pragma once
#include "diagram/DiagramUnits.h"

#include <QFont>

// The drawing settings as the image properties dialog holds them at the
// moment of drawing.
struct DiagramSettings {
    bool names = true;          // given name and patronymic under the box
    bool familyNames = true;    // family name under that
    bool straightLines = false; // style No. 1; otherwise elbows
    bool grid = false;
    DiagramUnits units;
    int lineWidth = 2;
};

// The canvas state that drawing uses; the pen and font change only when the
// dialog is confirmed or a font is chosen.
struct CanvasState {
    int penWidth = 2;
    QFont font;
    bool brushHollow = false;  // while a selection band is drawn
};

// The diagram's font until the user chooses another: the designed 8-pixel sans.
QFont initialDiagramFont();
// The designed font is narrow; a condensed sans with Cyrillic glyphs stands in
// for it, in the windows and in the batch mode alike.
void substituteDesignedFont();

// The font's height as a negative character height in pixels, the value the
// caption step is computed from.
int fontHeightValue(const QFont& font);
// How far the second caption stands below the first.
int captionStep(const QFont& font);
