#include "dialogs/ui/Tdateform.h"
#include "widgets/NamedLabel.h"

#include "dialogs/DatePhrase.h"
#include "dialogs/ui/DialogFlags.h"
#include "platform/Platform.h"
#include "widgets/MainFrame.h"
#include "widgets/NamedAction.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace {

DateNumbers numbersOf(const SpinEdit* day, const SpinEdit* month, const SpinEdit* year)
{
    return {dateNumberOf(day->cleanText()), dateNumberOf(month->cleanText()), dateNumberOf(year->cleanText())};
}

} // namespace

Tdateform::Tdateform(MainFrame& frame)
    : SecondaryWindow(QStringLiteral("Tdateform"), QStringLiteral("Укажите дату: В 1.1.1900"),
                      dialogFlags()),
      frame_(frame)
{
    setFixedSize(461, 171);
    centreOnScreen(this);
    buildControls();
    buildQualifierMenu();
    setDefaultButton(Button1);
    setClosesOnEscape(true);
    connect(this, &SecondaryWindow::closed, this, [this] { result_.clear(); });
}

void Tdateform::buildControls()
{
    addNamedLabel(this, "Label2", "ТИП ДАТЫ", 56, 16);
    RxSpeedButton1 = new QToolButton(this);
    RxSpeedButton1->setObjectName(QStringLiteral("RxSpeedButton1"));
    RxSpeedButton1->setText(QStringLiteral("В"));
    RxSpeedButton1->setArrowType(Qt::DownArrow);
    RxSpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    RxSpeedButton1->setGeometry(8, 40, 147, 25);
    connect(RxSpeedButton1, &QToolButton::clicked, this, &Tdateform::RxSpeedButton1Click);

    addNamedLabel(this, "Label3", "ДД", 167, 16);
    addNamedLabel(this, "Label4", "ММ", 207, 16);
    addNamedLabel(this, "Label5", "ГГГГ", 247, 16);
    SpinEdit1 = spinEdit("SpinEdit1", 0, 31, 1, {160, 40, 37, 22});
    SpinEdit2 = spinEdit("SpinEdit2", 0, 12, 1, {200, 40, 37, 22});
    SpinEdit3 = spinEdit("SpinEdit3", -9999, 9999, 1900, {239, 40, 49, 22});
    SpinEdit1->setMaxTypedLength(2);
    SpinEdit2->setMaxTypedLength(2);
    SpinEdit3->setMaxTypedLength(4);
    Label1 = addNamedLabel(this, "Label1", "       ", 295, 45);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->hide();
    addNamedLabel(this, "Label8", "ДД", 335, 16);
    addNamedLabel(this, "Label7", "ММ", 375, 16);
    addNamedLabel(this, "Label6", "ГГГГ", 415, 16);
    SpinEdit4 = spinEdit("SpinEdit4", 0, 31, 1, {323, 40, 40, 22});
    SpinEdit5 = spinEdit("SpinEdit5", 0, 12, 1, {368, 40, 38, 22});
    SpinEdit6 = spinEdit("SpinEdit6", -9999, 9999, 2000, {408, 40, 49, 22});
    for (SpinEdit* second : {SpinEdit4, SpinEdit5, SpinEdit6})
        second->setEnabled(false);

    RadioGroup1 = new RadioGroup(QStringLiteral("Календарь"), {QStringLiteral("Григорианский"), QStringLiteral("Юлианский")},
                                 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 72, 265, 65);
    RadioGroup1->setItemIndex(0);
    RadioGroup2 = new RadioGroup(QStringLiteral("Стиль"), {QStringLiteral("Старый"), QStringLiteral("Новый")}, 1, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(280, 72, 177, 65);
    RadioGroup1->setEnabled(false);
    RadioGroup2->setEnabled(false);

    Button1 = new QPushButton(QStringLiteral("ОК"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(168, 144, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(256, 144, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Tdateform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tdateform::Button2Click);
}

SpinEdit* Tdateform::spinEdit(const char* name, int minimum, int maximum, int value, QRect geometry)
{
    auto* spin = new SpinEdit(this);
    spin->setObjectName(QString::fromUtf8(name));
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setGeometry(geometry);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // The arrows change the value with the editor's signals blocked, and a cleared
    // field changes the text but not the value: both count.
    connect(spin, &QSpinBox::textChanged, this, &Tdateform::showPhraseInCaption);
    connect(spin->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, &Tdateform::showPhraseInCaption);
    return spin;
}

void Tdateform::buildQualifierMenu()
{
    RxPopupMenu1 = new QMenu(this);
    RxPopupMenu1->setObjectName(QStringLiteral("RxPopupMenu1"));
    QAction** items[] = {&N1, &N2, &N3, &N4, &N5, &N6, &N7};
    const QStringList qualifiers = dateQualifiers();
    for (int i = 0; i < qualifiers.size(); ++i) {
        const QByteArray name = "N" + QByteArray::number(i + 1);
        QAction* action = addNamedAction(RxPopupMenu1, name.constData(), qualifiers[i].toUtf8().constData());
        *items[i] = action;
        const QString qualifier = qualifiers[i];
        connect(action, &QAction::triggered, this, [this, qualifier] { chooseQualifier(qualifier); });
    }
}

void Tdateform::setDeliveryButtons(QPushButton* listModeButton, QPushButton* otherModesButton)
{
    listModeButton_ = listModeButton;
    otherModesButton_ = otherModesButton;
}

QString Tdateform::qualifier() const
{
    return RxSpeedButton1->text();
}

QString Tdateform::ComposeDatePhrase() const
{
    return ::ComposeDatePhrase(qualifier(), numbersOf(SpinEdit1, SpinEdit2, SpinEdit3),
                               numbersOf(SpinEdit4, SpinEdit5, SpinEdit6));
}

void Tdateform::showPhraseInCaption()
{
    setWindowTitle(QStringLiteral("Укажите дату: ") + ComposeDatePhrase());
}

void Tdateform::SetOneDateMode()
{
    for (SpinEdit* spin : {SpinEdit1, SpinEdit2, SpinEdit3})
        spin->setEnabled(true);
    for (SpinEdit* spin : {SpinEdit4, SpinEdit5, SpinEdit6})
        spin->setEnabled(false);
    Label1->hide();
    showPhraseInCaption();
}

void Tdateform::SetTwoDateMode()
{
    for (SpinEdit* spin : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6})
        spin->setEnabled(true);
    Label1->show();
    showPhraseInCaption();
}

void Tdateform::chooseQualifier(const QString& qualifier)
{
    RxSpeedButton1->setText(qualifier);
    if (!takesSecondDate(qualifier)) {
        SetOneDateMode();
        return;
    }
    Label1->setText(qualifier == QStringLiteral("МЕЖДУ") ? QStringLiteral("И") : qualifier);
    SetTwoDateMode();
}

void Tdateform::RxSpeedButton1Click()
{
    Button1->setEnabled(true);
    frame_.platform().popupMenu(RxPopupMenu1, RxSpeedButton1->mapToGlobal(QPoint(0, RxSpeedButton1->height())));
}

void Tdateform::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Button1->setEnabled(frame_.mode() != MainFrame::ListMode);
    SecondaryWindow::showEvent(event);
}

void Tdateform::Button1Click()
{
    result_ = ComposeDatePhrase();
    if (!qualifier().isEmpty()) {
        QPushButton* target = frame_.mode() == MainFrame::ListMode ? listModeButton_.data() : otherModesButton_.data();
        if (target)
            target->setText(result_);
    }
    hide();
}

void Tdateform::Button2Click()
{
    result_.clear();
    hide();
}
