#include "dialogs/ui/TForm2.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TForm2::TForm2()
    : SecondaryWindow(QStringLiteral("TForm2"), QStringLiteral("Новая связь"), Qt::Dialog)
{
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("RadioGroup1"));
    auto* boxLayout = new QVBoxLayout(box);
    RadioGroup1 = new QButtonGroup(this);
    const char* captions[] = {"Родителя", "Потомка", "Супруга"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(captions[i]), box);
        boxLayout->addWidget(radio);
        RadioGroup1->addButton(radio, i);
    }
    RadioGroup1->button(0)->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
}

int TForm2::choice() const
{
    return RadioGroup1->checkedId();
}

void TForm2::setChoice(int index)
{
    if (auto* button = RadioGroup1->button(index))
        button->setChecked(true);
}
