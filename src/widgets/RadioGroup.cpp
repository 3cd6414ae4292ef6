#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    const int perColumn = (int(items.size()) + columns - 1) / std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], this);
        radio->setObjectName(objectName() + QString::number(i));
        grid->addWidget(radio, i % perColumn, i / perColumn);
        buttons_->addButton(radio, i);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemSelected);
}

int RadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

QString RadioGroup::itemText(int index) const
{
    QAbstractButton* button = buttons_->button(index);
    return button ? button->text() : QString();
}
