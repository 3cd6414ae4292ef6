#include "dialogs/ui/TForm2.h"

#include "dialogs/ui/DialogFlags.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"
#include "widgets/RadioGroup.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TForm2::TForm2(GenealogyStore& store, MainFrame& frame)
    : SecondaryWindow(QStringLiteral("TForm2"), QStringLiteral("Новая связь"), dialogFlags()), store_(store),
      frame_(frame)
{
    setFixedSize(229, 197);
    centreOnScreen(this);
    auto* label1 = new QLabel(QStringLiteral("Тип связи:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->move(16, 18);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Достоверная"), QStringLiteral("Вероятная")});
    ComboBox1->setGeometry(80, 14, 145, 22);
    ComboBox1->setEnabled(false);

    RadioGroup1 = new RadioGroup(QStringLiteral("Добавляется ссылка на:"),
                                 {QStringLiteral("Родителя"), QStringLiteral("Потомка"), QStringLiteral("Супруга"),
                                  QStringLiteral("Спец. вид")},
                                 2, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 40, 217, 80);
    RadioGroup1->setItemIndex(Parent);
    connect(RadioGroup1, &RadioGroup::itemSelected, this, &TForm2::RadioGroup1Click);

    auto* label2 = new QLabel(QStringLiteral("Нестандартные виды связей:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->move(16, 123);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(8, 141, 218, 22);
    ComboBox2->setEnabled(false);

    Button1 = new QPushButton(QStringLiteral("ОК"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(40, 168, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(136, 168, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    setDefaultButton(Button1);
    setClosesOnEscape(true);
}

int TForm2::choice() const
{
    return RadioGroup1->itemIndex();
}

void TForm2::setChoice(int index)
{
    RadioGroup1->setItemIndex(index);
    RadioGroup1Click(index);
}

void TForm2::RadioGroup1Click(int index)
{
    // No special kind of link exists yet.
    if (index == Special)
        RadioGroup1->setItemIndex(Parent);
}

void TForm2::Button1Click()
{
    hide();
    if (store_.persons.recordCount() < 2) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Нет записей в базе данных"));
        return;
    }
    linkPartner = store_.persons.asInteger(PersonField::num);
    frame_.hidePanelsForPick();
    frame_.HideMainMenu();
    // The list is shown before the flag is set, so that no completion runs yet.
    frame_.selectTab(MainFrame::ListMode);
    pickingLinkPartner = true;
    frame_.setStatusText(QStringLiteral("Укажите персонаж для создания связи выбранного типа"));
}

void TForm2::Button2Click()
{
    hide();
}
