// Menu and button commands of the main window, and the hooks that the person
// list, the card and the diagram fill in.
#include "app/TForm1.h"

#include "platform/Platform.h"
#include "diagram/ui/TOKBottomDlg1.h"

#include <QLabel>
#include <QMenu>

QString TForm1::statusText() const
{
    return statusLabel->text();
}

void TForm1::setStatusText(const QString& text)
{
    statusLabel->setText(text);
}

void TForm1::setCountsText(int persons, int links)
{
    setStatusText(QStringLiteral("Персонажей: %1 Связей: %2").arg(persons).arg(links));
}

void TForm1::showCountsFromTables()
{
    setCountsText(store_.persons.recordCount(), store_.links.recordCount());
}

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
    setWindowTitle(applicationTitle());
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
    ClearDiagram();
}

void TForm1::N7Click()
{
    platform_.quit();
}

void TForm1::N20Click()
{
    platform_.showMessage(QStringLiteral("О программе"),
                          QStringLiteral("Арболитус, версия 1.0\n\nРедактор родословных деревьев."));
}

void TForm1::N38Click()
{
    if (!windows_.imageProperties)
        return;
    setEnabled(false);
    windows_.imageProperties->show();
}
