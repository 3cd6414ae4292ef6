#include "widgets/NamedAction.h"

#include <QMenu>

QAction* addNamedAction(QMenu* menu, const char* objectName, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(objectName));
    return action;
}
