#pragma once
#include "app/SecondaryWindow.h"

// The diagram navigator: shifts, centres and stretches the diagram.
class TForm4 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm4();
};
