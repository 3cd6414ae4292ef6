#pragma once
#include "widgets/SecondaryWindow.h"

struct GenealogyStore;
class MainFrame;
class QComboBox;
class QPushButton;
class RadioGroup;

// The link dialog: the kind of link to make between the card person and a
// person that the user then picks in the list; the frame completes the pick.
class TForm2 : public SecondaryWindow {
    Q_OBJECT
public:
    enum Choice { Parent = 0, Child = 1, Spouse = 2, Special = 3 };

    TForm2(GenealogyStore& store, MainFrame& frame);

    // RadioGroup1: "Родителя", "Потомка", "Супруга"; it keeps the choice between showings.
    int choice() const;
    void setChoice(int index);

    void RadioGroup1Click(int index);
    void Button1Click();  // "ОК": starts the pick
    void Button2Click();  // "Отмена"

    // The pick under way, and the card person it started from.
    bool pickingLinkPartner = false;
    int linkPartner = 0;

    QComboBox* ComboBox1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    GenealogyStore& store_;
    MainFrame& frame_;
};
