#pragma once
#include "widgets/SecondaryWindow.h"

// The date dialog: composes a date phrase.
class Tdateform : public SecondaryWindow {
    Q_OBJECT
public:
    Tdateform();
};
