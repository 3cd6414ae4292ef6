#pragma once
#include "app/SecondaryWindow.h"

// The image properties dialog: every drawing setting of the diagram.
class TOKBottomDlg1 : public SecondaryWindow {
    Q_OBJECT
public:
    TOKBottomDlg1();
};
