#pragma once
#include "widgets/SecondaryWindow.h"

#include <QPointer>

class MainFrame;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class RadioGroup;
class SpinEdit;

// The date dialog: composes a date phrase and writes it into the caption of
// the button that asked for it.
class Tdateform : public SecondaryWindow {
    Q_OBJECT
public:
    explicit Tdateform(MainFrame& frame);

    // The filter panel's "Указать" takes the phrase in list mode, the event dialog's date button otherwise.
    void setDeliveryButtons(QPushButton* listModeButton, QPushButton* otherModesButton);

    QString ComposeDatePhrase() const;
    void SetOneDateMode();
    void SetTwoDateMode();
    QString qualifier() const;
    // The phrase of the last OK; emptied by "Отмена" and the close box.
    QString result() const { return result_; }

    void RxSpeedButton1Click();  // the qualifier button drops its menu down
    void Button1Click();         // "ОК"
    void Button2Click();         // "Отмена"

    QToolButton* RxSpeedButton1 = nullptr;
    QMenu* RxPopupMenu1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *N5 = nullptr, *N6 = nullptr, *N7 = nullptr;
    SpinEdit *SpinEdit1 = nullptr, *SpinEdit2 = nullptr, *SpinEdit3 = nullptr;
    SpinEdit *SpinEdit4 = nullptr, *SpinEdit5 = nullptr, *SpinEdit6 = nullptr;
    QLabel* Label1 = nullptr;  // the connector
    RadioGroup* RadioGroup1 = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildQualifierMenu();
    SpinEdit* spinEdit(const char* name, int minimum, int maximum, int value, QRect geometry);
    void chooseQualifier(const QString& qualifier);
    void showPhraseInCaption();

    MainFrame& frame_;
    QPointer<QPushButton> listModeButton_;
    QPointer<QPushButton> otherModesButton_;
    QString result_;
};
