// The main window's own commands.
#include "app/TForm1.h"
#include "store/TreeHistory.h"

#include "platform/Platform.h"
#include "diagram/ui/DiagramController.h"

#include <QMenu>

void TForm1::reportMissingPictures()
{
    if (missingPictures_.isEmpty())
        return;
    platform_.showMessage(applicationTitle(),
                          QStringLiteral("Не удалось прочитать файлы рисунков:\n%1\n\nВместо них используются "
                                         "встроенные рисунки.")
                              .arg(missingPictures_.join(QLatin1Char('\n'))));
    missingPictures_.clear();
}

void TForm1::N2Click()
{
    if (maySaveChanges())
        resetToNewTree();
}

void TForm1::resetToNewTree()
{
    startNewTree();
    treeFile_.clear();
    captionName_.clear();
    updateCaption();
    markSaved();
}

void TForm1::startNewTree()
{
    const HistorySuspended quiet(store_.history);
    store_.emptyForNewTree();
    for (QMenu* menu : {RxPopupMenu3, RxPopupMenu5}) {
        const QList<QAction*> entries = menu->actions();
        for (QAction* entry : entries) {
            menu->removeAction(entry);
            entry->deleteLater();
        }
    }
    if (mode_ == CardMode)
        selectTab(ListMode);
    diagram_->ClearDiagram();
    store_.history.clear();
}

void TForm1::N7Click()
{
    if (maySaveChanges())
        platform_.quit();
}

void TForm1::N20Click()
{
    platform_.showMessage(QStringLiteral("О программе"),
                          QStringLiteral("Арболитус, версия 1.0\n\nРедактор родословных деревьев."));
}

void TForm1::N38Click()
{
    diagram_->showImageProperties();
}
