#pragma once
#include "dialogs/NameEntry.h"
#include "widgets/SecondaryWindow.h"

#include <optional>

struct GenealogyStore;
class QComboBox;
class QLineEdit;
class QPushButton;
class RadioGroup;

// The name dialog: adds a name to the card person or replaces the selected one,
// and stores it so that the next card shows it again.
class Tnames_form : public SecondaryWindow {
    Q_OBJECT
public:
    explicit Tnames_form(GenealogyStore& store);

    // Fills the boxes and shows the dialog; an edit replaces that card name.
    void showFor(const NameEntry& entry, std::optional<ReplacedName> replaced);

    void RadioGroup1Click(int index);
    void Button1Click();  // "ОК"
    void Button2Click();  // "Отмена"

    QComboBox* ComboBox1 = nullptr;  // type
    QLineEdit* Edit1 = nullptr;      // "Фамилия:"
    QLineEdit* Edit2 = nullptr;      // "Имя:"
    QLineEdit* Edit3 = nullptr;      // "Отчество:"
    RadioGroup* RadioGroup1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

Q_SIGNALS:
    // A name of this person was stored; the card shows the store again.
    void nameStored(int person);

private:
    NameEntry entry() const;

    GenealogyStore& store_;
    std::optional<ReplacedName> replaced_;
};
