#pragma once
#include "widgets/SecondaryWindow.h"

// The note dialog: a titled comment in a rich-text editor.
class TForm3 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm3();
};
