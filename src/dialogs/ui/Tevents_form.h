#pragma once
#include "widgets/SecondaryWindow.h"

// The event dialog: an event with its type, date, place and participants.
class Tevents_form : public SecondaryWindow {
    Q_OBJECT
public:
    Tevents_form();
};
