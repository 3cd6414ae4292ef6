#pragma once
#include "store/TableChanges.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <any>
#include <functional>
#include <memory>
#include <vector>

class RecordTable;
struct ChangeStep;

// What steps give back besides the tables: the diagram's settings and scroll
// box, which the window holds.
struct SideState {
    std::function<std::any()> capture;
    std::function<void(const std::any&)> restore;
    std::function<bool(const std::any&, const std::any&)> same;
};

// The undo history of one tree. The kept tables tell it of every change
// before they make it, and the command that makes the changes groups them
// into one named step (HistoryStep), so no command can change the tree
// without its change being undoable. A change outside any step is still
// recorded, as a step of its own that ends when the event loop takes over,
// and reported to the stray-change handler.
class TreeHistory : public QObject, public TableRecorder {
    Q_OBJECT
public:
    explicit TreeHistory(std::vector<RecordTable*> keptTables);
    ~TreeHistory() override;

    // Off (batch runs, headless routines) nothing is recorded.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    void setSideState(SideState side) { side_ = std::move(side); }

    // Steps nest; the outermost one is kept, under the first name given.
    void beginStep(const QString& name);
    void endStep();
    bool stepOpen() const { return depth_ > 0; }
    // Names the open step once its command knows what it works on.
    void nameStep(const QString& name);

    const QUndoStack& stack() const { return stack_; }
    QUndoStack& stack() { return stack_; }
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // Forgets every step. The present state counts as saved, unless it is a
    // restored recovery copy.
    void clear(bool saved = true);
    void setSaved() { stack_.setClean(); }
    bool atSaved() const { return stack_.isClean(); }

    // What the steps hold; the oldest go while they hold more than the limit
    // or there are more than the most steps. The newest step always stays.
    std::size_t bytes() const;
    void setLimits(std::size_t bytes, int steps);

    // Told the table's name when a kept table changes outside any step.
    void setStrayChangeHandler(std::function<void(const QString&)> handler) { stray_ = std::move(handler); }

    // Changes made while suspended are not recorded; what opens a file or
    // starts a new tree clears the history as well.
    void suspend();
    void resume() { --suspended_; }

Q_SIGNALS:
    // An undo or redo changed the tree: the views follow.
    void applied();

private:
    friend class StepCommand;
    TableChanges* changesFor(RecordTable& table, bool orderOnly) override;
    void tableCleared(RecordTable& table) override;
    void endImplicitStep();
    void forgetOpenChanges();
    void apply(ChangeStep& step, bool undo);
    void push(std::unique_ptr<ChangeStep> step);
    void dropOldest(int count);
    int tableIndex(const RecordTable& table) const;

    QUndoStack stack_;
    std::vector<RecordTable*> tables_;
    SideState side_;
    std::function<void(const QString&)> stray_;
    bool enabled_ = false;
    bool applying_ = false;
    bool replaying_ = false;  // commands pushed again after the oldest went
    int suspended_ = 0;
    int depth_ = 0;
    bool implicitOpen_ = false;
    std::unique_ptr<ChangeStep> open_;
    std::vector<std::optional<RowId>> cursorsAtBegin_;
    std::any sideAtBegin_;
    std::size_t byteLimit_ = std::size_t(100) << 20;
    int stepLimit_ = 1000;
};

// One step of the history for the life of a scope.
class HistoryStep {
public:
    HistoryStep(TreeHistory& history, const QString& name) : history_(&history) { history_->beginStep(name); }
    // No step without a history (windows tried alone in tests).
    HistoryStep(TreeHistory* history, const QString& name) : history_(history)
    {
        if (history_)
            history_->beginStep(name);
    }
    ~HistoryStep()
    {
        if (history_)
            history_->endStep();
    }
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

private:
    TreeHistory* history_;
};

// Changes not recorded for the life of a scope.
class HistorySuspended {
public:
    explicit HistorySuspended(TreeHistory& history) : history_(history) { history_.suspend(); }
    ~HistorySuspended() { history_.resume(); }
    HistorySuspended(const HistorySuspended&) = delete;
    HistorySuspended& operator=(const HistorySuspended&) = delete;

private:
    TreeHistory& history_;
};
