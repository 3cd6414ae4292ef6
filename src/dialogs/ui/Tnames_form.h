#pragma once
#include "widgets/SecondaryWindow.h"

// The name dialog: adds or replaces a name on the card.
class Tnames_form : public SecondaryWindow {
    Q_OBJECT
public:
    Tnames_form();
};
