#pragma once
#include "widgets/SecondaryWindow.h"

class QButtonGroup;

// The link dialog: the kind of link to make towards a person picked from the list.
class TForm2 : public SecondaryWindow {
    Q_OBJECT
public:
    enum Choice { Parent = 0, Child = 1, Spouse = 2 };

    TForm2();

    // RadioGroup1: "Родителя", "Потомка", "Супруга".
    int choice() const;
    void setChoice(int index);

private:
    QButtonGroup* RadioGroup1 = nullptr;
};
