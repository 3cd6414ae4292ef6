// The undo history in the frame: "Отменить" and "Повторить", the unsaved
// marker that follows the history, and the views that follow an undo.
#include "app/TForm1.h"
#include "store/TreeHistory.h"

#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/TForm4.h"
#include "treefile/RecoveryCopy.h"
#include "widgets/NamedAction.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

void TForm1::buildHistoryActions(QMenu* edit)
{
    UndoStep = addNamedAction(edit, "UndoStep", "Отменить");
    UndoStep->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoStep = addNamedAction(edit, "RedoStep", "Повторить");
    RedoStep->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    connect(edit, &QMenu::aboutToShow, this, &TForm1::refreshHistoryActions);
}

void TForm1::watchHistory()
{
    TreeHistory& history = store_.history;
    history.setEnabled(true);
    // Every command names its step; tests fail on this warning.
    history.setStrayChangeHandler([](const QString& table) {
        qWarning("kept table %s changed outside a history step", qPrintable(table));
    });
    connect(UndoStep, &QAction::triggered, this, &TForm1::undoStep);
    connect(RedoStep, &QAction::triggered, this, &TForm1::redoStep);
    QUndoStack& stack = history.stack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(&stack, signal, this, &TForm1::refreshHistoryActions);
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(&stack, signal, this, &TForm1::refreshHistoryActions);
    connect(&stack, &QUndoStack::indexChanged, this, &TForm1::refreshHistoryActions);
    connect(&stack, &QUndoStack::cleanChanged, this, &TForm1::showSavedState);
    connect(&history, &TreeHistory::applied, this, &TForm1::followHistory);
    refreshHistoryActions();
}

// Not while a dialog is shown or a pick is under way: either holds state the
// step would pull from under it.
bool TForm1::historyBlocked() const
{
    for (QWidget* window : windows_.all())
        if (window != static_cast<QWidget*>(windows_.navigator.get()) && window->isVisible())
            return true;
    return pickingLinkPartner() || pickingParticipant() || (diagram_ && diagram_->picking())
           || store_.history.stepOpen();
}

void TForm1::refreshHistoryActions()
{
    if (!UndoStep)
        return;
    const TreeHistory& history = store_.history;
    const bool blocked = historyBlocked();
    const QUndoStack& stack = history.stack();
    UndoStep->setEnabled(!blocked && history.canUndo());
    RedoStep->setEnabled(!blocked && history.canRedo());
    UndoStep->setText(stack.canUndo() ? QStringLiteral("Отменить: ") + stack.undoText() : QStringLiteral("Отменить"));
    RedoStep->setText(stack.canRedo() ? QStringLiteral("Повторить: ") + stack.redoText() : QStringLiteral("Повторить"));
}

void TForm1::undoStep()
{
    refreshHistoryActions();
    if (UndoStep->isEnabled())
        store_.history.undo();
}

void TForm1::redoStep()
{
    refreshHistoryActions();
    if (RedoStep->isEnabled())
        store_.history.redo();
}

void TForm1::showSavedState(bool saved)
{
    modified_ = !saved;
    setWindowModified(!saved);
    // Back at what the file holds: a copy would only offer what is saved.
    if (saved && recovery_)
        recovery_->remove();
}

// The list keeps its sort and filter, the card shows the current person
// again, the diagram is drawn anew.
void TForm1::followHistory()
{
    diagram_->historyApplied();
    if (mode_ == CardMode)
        card_->BuildCard(store_.persons.isEmpty() ? 0 : store_.persons.asInteger(PersonField::num));
    showCountsFromTables();
    refreshHistoryActions();
}
