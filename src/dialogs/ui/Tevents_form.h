#pragma once
#include "widgets/SecondaryWindow.h"

#include <QPointer>

struct GenealogyStore;
class MainFrame;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTableView;
class Tdateform;

// The event dialog: an event of the card person with its type, date, place and
// participants. "+" sends the user to the list to pick a participant; the
// frame completes or cancels that pick and brings the dialog back.
class Tevents_form : public SecondaryWindow {
    Q_OBJECT
public:
    Tevents_form(GenealogyStore& store, MainFrame& frame);

    void setDateDialog(Tdateform* dateDialog);

    // Shown by the card: an edit replaces the card's current event, an add makes a new one.
    void showFresh(bool editing);
    // Shown again after a participant pick, holding what it held.
    void resumeAfterPick();
    int dialogPerson() const { return dialogPerson_; }
    bool editing() const { return editing_; }
    int editedEvent() const { return editedEvent_; }

    // Set while the user picks a participant in the list.
    bool pickingParticipant = false;

    void ComboBox1Change();  // the event type
    void ComboBox3Change();  // the role of the selected participant
    void RxMemoryData1AfterScroll();  // another participant selected
    void Button1Click();  // the date
    void Button3Click();  // "+"
    void Button4Click();  // "-"
    void Button5Click();  // "ОК"
    void Button6Click();  // "Отмена"

    QComboBox* ComboBox1 = nullptr;  // type
    QPushButton* Button1 = nullptr;  // date, "указать" until one is chosen
    QComboBox* ComboBox2 = nullptr;  // place
    QPushButton* Button2 = nullptr;  // end date, not offered
    QGroupBox* GroupBox1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QTableView* DBGrid1 = nullptr;   // participants
    QComboBox* ComboBox3 = nullptr;  // role
    QTableView* DBGrid6 = nullptr;   // media, not offered
    QTableView* DBGrid5 = nullptr;   // comments, not offered
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;

Q_SIGNALS:
    // The event was stored; the card of this person shows the store again.
    void eventStored(int person);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildParticipants();
    void FormShow();

    GenealogyStore& store_;
    MainFrame& frame_;
    QPointer<Tdateform> dateDialog_;
    bool editing_ = false;
    bool keepOnShow_ = false;
    int dialogPerson_ = 0;
    int editedEvent_ = 0;
};
