#include "store/TreeHistory.h"

#include "store/RecordTable.h"

#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

struct ChangeStep {
    QString name;
    std::vector<std::unique_ptr<TableChanges>> tables;  // in the order first changed
    std::any side;  // the side state of the other side, when the step changed it
    // The current row of every kept table before and after the step.
    std::vector<std::optional<RowId>> cursorsBefore, cursorsAfter;
    bool sideChanged = false;
    std::size_t bytes = 0;

    void countBytes()
    {
        bytes = sizeof(*this) + std::size_t(name.size()) * 2;
        for (const auto& t : tables)
            bytes += t->bytes();
    }
};

// One step as the undo stack holds it. Its first redo is the command itself,
// already done when the step is pushed.
class StepCommand : public QUndoCommand {
public:
    StepCommand(TreeHistory& history, std::unique_ptr<ChangeStep> step)
        : QUndoCommand(step->name), history_(history), step_(std::move(step))
    {
    }

    void undo() override
    {
        if (step_ && !history_.replaying_)
            history_.apply(*step_, true);
    }

    void redo() override
    {
        if (done_) {
            done_ = false;
            return;
        }
        if (step_ && !history_.replaying_)
            history_.apply(*step_, false);
    }

    std::size_t bytes() const { return step_ ? step_->bytes : 0; }
    std::unique_ptr<ChangeStep> take() { return std::move(step_); }

private:
    TreeHistory& history_;
    std::unique_ptr<ChangeStep> step_;
    bool done_ = true;
};

TreeHistory::TreeHistory(std::vector<RecordTable*> keptTables) : tables_(std::move(keptTables))
{
    for (RecordTable* table : tables_)
        table->setRecorder(this);
}

TreeHistory::~TreeHistory()
{
    // The steps give their texts back to the tables, which are still there;
    // whoever watched the stack may be gone.
    const QSignalBlocker blocker(&stack_);
    stack_.clear();
    open_.reset();
    for (RecordTable* table : tables_)
        table->setRecorder(nullptr);
}

void TreeHistory::setEnabled(bool on)
{
    enabled_ = on;
    if (!on)
        clear();
}

int TreeHistory::tableIndex(const RecordTable& table) const
{
    const auto it = std::find(tables_.begin(), tables_.end(), &table);
    return it == tables_.end() ? -1 : int(it - tables_.begin());
}

void TreeHistory::beginStep(const QString& name)
{
    if (depth_++ > 0) {
        if (open_ && open_->name.isEmpty())
            open_->name = name;
        return;
    }
    if (!enabled_ || suspended_ > 0)
        return;
    open_ = std::make_unique<ChangeStep>();
    open_->name = name;
    cursorsAtBegin_.clear();
    for (RecordTable* table : tables_)
        cursorsAtBegin_.push_back(table->currentRowId());
    if (side_.capture)
        sideAtBegin_ = side_.capture();
}

void TreeHistory::nameStep(const QString& name)
{
    if (open_)
        open_->name = name;
}

void TreeHistory::endStep()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    forgetOpenChanges();
    std::unique_ptr<ChangeStep> step = std::move(open_);
    std::any sideBefore = std::move(sideAtBegin_);
    sideAtBegin_.reset();
    if (!step || !enabled_)
        return;
    step->cursorsBefore = std::move(cursorsAtBegin_);
    for (RecordTable* table : tables_)
        step->cursorsAfter.push_back(table->currentRowId());
    std::erase_if(step->tables, [](const std::unique_ptr<TableChanges>& t) { return !t->seal(); });
    if (side_.capture && sideBefore.has_value()) {
        if (!side_.same(sideBefore, side_.capture())) {
            step->side = std::move(sideBefore);
            step->sideChanged = true;
        }
    }
    if (step->tables.empty() && !step->sideChanged)
        return;
    push(std::move(step));
}

TableChanges* TreeHistory::changesFor(RecordTable& table, bool orderOnly)
{
    if (!enabled_ || suspended_ > 0 || applying_)
        return nullptr;
    if (!open_) {
        // A step begun while nothing was recorded records nothing.
        if (depth_ > 0 || orderOnly)
            return nullptr;
        if (stray_)
            stray_(table.tableName());
        // Kept as a step of its own until the event loop takes over.
        beginStep(QStringLiteral("изменение"));
        implicitOpen_ = true;
        QTimer::singleShot(0, this, [this] { endImplicitStep(); });
        if (!open_)
            return nullptr;
    }
    for (const auto& t : open_->tables)
        if (&t->table() == &table) {
            table.setOpenChanges(t.get());
            return t.get();
        }
    const int index = tableIndex(table);
    if (index < 0)
        return nullptr;
    open_->tables.push_back(std::make_unique<TableChanges>(table));
    table.setOpenChanges(open_->tables.back().get());
    return open_->tables.back().get();
}

// The tables ask again at their next change.
void TreeHistory::forgetOpenChanges()
{
    for (RecordTable* table : tables_)
        table->setOpenChanges(nullptr);
}

void TreeHistory::suspend()
{
    ++suspended_;
    forgetOpenChanges();
}

void TreeHistory::tableCleared(RecordTable&)
{
    clear();
}

void TreeHistory::clear(bool saved)
{
    forgetOpenChanges();
    if (implicitOpen_) {
        implicitOpen_ = false;
        if (--depth_ == 0)
            open_.reset();
    }
    if (open_)
        open_->tables.clear();
    stack_.clear();
    if (!saved)
        stack_.resetClean();
}

bool TreeHistory::canUndo() const
{
    return stack_.canUndo() && (depth_ == 0 || implicitOpen_);
}

bool TreeHistory::canRedo() const
{
    return stack_.canRedo() && (depth_ == 0 || implicitOpen_);
}

// The step a stray change opened ends before anything is undone or redone.
void TreeHistory::endImplicitStep()
{
    if (implicitOpen_) {
        implicitOpen_ = false;
        endStep();
    }
}

void TreeHistory::undo()
{
    endImplicitStep();
    if (canUndo())
        stack_.undo();
}

void TreeHistory::redo()
{
    endImplicitStep();
    if (canRedo())
        stack_.redo();
}

void TreeHistory::apply(ChangeStep& step, bool undo)
{
    applying_ = true;
    for (const auto& t : step.tables)
        t->exchange(undo);
    if (step.sideChanged) {
        std::any now = side_.capture();
        side_.restore(step.side);
        step.side = std::move(now);
    }
    step.countBytes();
    // Before the views follow, and again after, as following may move them.
    const auto& cursors = undo ? step.cursorsBefore : step.cursorsAfter;
    auto restoreCursors = [&] {
        for (std::size_t i = 0; i < tables_.size() && i < cursors.size(); ++i)
            tables_[i]->setCurrentRowId(cursors[i]);
    };
    restoreCursors();
    Q_EMIT applied();
    restoreCursors();
    applying_ = false;
}

void TreeHistory::push(std::unique_ptr<ChangeStep> step)
{
    step->countBytes();
    stack_.push(new StepCommand(*this, std::move(step)));
    int drop = 0;
    std::size_t total = bytes();
    const int count = stack_.count();
    while (drop < count - 1 && (total > byteLimit_ || count - drop > stepLimit_)) {
        total -= static_cast<const StepCommand*>(stack_.command(drop))->bytes();
        ++drop;
    }
    if (drop > 0)
        dropOldest(drop);
}

// The undo stack lets go of its oldest commands only by a count fixed while it
// is empty: it is filled again without them, nothing applied.
void TreeHistory::dropOldest(int count)
{
    const int total = stack_.count();
    const int clean = stack_.cleanIndex();
    std::vector<std::unique_ptr<ChangeStep>> steps;
    for (int i = 0; i < total; ++i)
        steps.push_back(const_cast<StepCommand*>(static_cast<const StepCommand*>(stack_.command(i)))->take());
    const QSignalBlocker blocker(&stack_);
    replaying_ = true;
    stack_.clear();
    for (int i = count; i < total; ++i)
        stack_.push(new StepCommand(*this, std::move(steps[std::size_t(i)])));
    if (clean >= count) {
        stack_.setIndex(clean - count);
        stack_.setClean();
        stack_.setIndex(total - count);
    } else {
        stack_.resetClean();
    }
    replaying_ = false;
}

std::size_t TreeHistory::bytes() const
{
    std::size_t total = 0;
    for (int i = 0; i < stack_.count(); ++i)
        total += static_cast<const StepCommand*>(stack_.command(i))->bytes();
    return total;
}

void TreeHistory::setLimits(std::size_t bytes, int steps)
{
    byteLimit_ = bytes;
    stepLimit_ = std::max(1, steps);
}
