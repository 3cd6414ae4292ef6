// The commands of the card's comments and media menu, PopupMenu5.
#include "card/ui/CardController.h"

#include "card/Notes.h"
#include "card/ui/TForm3.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"
#include "widgets/NamedAction.h"

#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTableView>

void CardController::buildNoteCommands()
{
    N74 = addNamedAction(PopupMenu5, "N74", "Добавить");
    N75 = addNamedAction(PopupMenu5, "N75", "Удалить");
    N76 = PopupMenu5->addSeparator();
    N76->setObjectName(QStringLiteral("N76"));
    N77 = addNamedAction(PopupMenu5, "N77", "Просмотреть средствами арболитус'а");
    N78 = addNamedAction(PopupMenu5, "N78", "Просмотреть программой по умолчанию");
    const std::pair<QAction*, void (CardController::*)()> handlers[] = {{N74, &CardController::N74Click},
                                                                       {N75, &CardController::N75Click},
                                                                       {N77, &CardController::N77Click},
                                                                       {N78, &CardController::N78Click}};
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);

    for (QTableView* grid : {DBGrid5, DBGrid6}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& pos) {
            focusLineAt(grid, pos);
            PopupMenu5Popup();
        });
    }
    DBGrid5->viewport()->installEventFilter(this);
}

void CardController::PopupMenu5Popup()
{
    N77->setEnabled(false);
    N78->setEnabled(false);
    if (hasFocus(DBGrid5)) {
        const bool any = !store_.cardComments.isEmpty();
        N75->setEnabled(any);
        N77->setEnabled(any);
    }
    if (hasFocus(DBGrid6)) {
        const bool any = !store_.cardMedia.isEmpty();
        N75->setEnabled(any);
        N78->setEnabled(any);
    }
}

void CardController::N74Click()
{
    if (hasFocus(DBGrid5))
        addComment();
    else if (hasFocus(DBGrid6))
        addMedia();
}

void CardController::addComment()
{
    const QString title = frame_.platform()
                              .inputText(QStringLiteral("Создание заметки"), QStringLiteral("Введите заголовок"), QString())
                              .value_or(QString());
    if (title.isEmpty() || !noteDialog_)
        return;
    noteDialog_->showNew(title);
}

void CardController::addMedia()
{
    Platform& platform = frame_.platform();
    const QString title =
        platform.inputText(QStringLiteral("Присоединение медиа-файла"), QStringLiteral("Введите заголовок"), QString())
            .value_or(QString());
    if (title.isEmpty())
        return;
    platform.setPictureTitle(title);
    const std::optional<QString> chosen = platform.openPicture();
    if (!chosen || !QFileInfo(*chosen).isFile())
        return;
    const HistoryStep step(store_.history, QStringLiteral("добавление медиа-файла"));
    storeMedia(store_, cardPerson(), title, QFileInfo(*chosen).absoluteFilePath());
}

void CardController::N75Click()
{
    if (hasFocus(DBGrid5)) {
        const HistoryStep step(store_.history, QStringLiteral("удаление комментария"));
        takeCardNote(store_, store_.cardComments);
    } else if (hasFocus(DBGrid6)) {
        const HistoryStep step(store_.history, QStringLiteral("удаление медиа-файла"));
        takeCardNote(store_, store_.cardMedia);
    }
}

void CardController::N77Click()
{
    if (store_.cardComments.isEmpty() || !noteDialog_)
        return;
    store_.cardComments.disableControls();  // resumed when the note dialog closes
    // The comment is out of the store while it is viewed: one step until the dialog closes.
    store_.history.beginStep(QStringLiteral("изменение комментария"));
    const Note note = takeCardNote(store_, store_.cardComments);
    noteDialog_->showViewed(note);
}

void CardController::DBGrid5DblClick()
{
    if (!store_.cardComments.isEmpty())
        N77Click();
}

void CardController::N78Click()
{
    if (store_.cardMedia.isEmpty())
        return;
    const QPointer<CardController> self(this);
    frame_.platform().openWithDefaultProgram(currentMediaPath(store_), [self](bool opened) {
        if (!opened && self)
            self->frame_.platform().showMessage(MainFrame::applicationTitle(),
                                                QStringLiteral("Не могу запустить указанный файл"));
    });
}
