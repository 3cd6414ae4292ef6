#include "widgets/NamedLabel.h"

#include <QLabel>

QLabel* addNamedLabel(QWidget* parent, const char* objectName, const char* caption, int x, int y)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(objectName));
    label->move(x, y);
    return label;
}
