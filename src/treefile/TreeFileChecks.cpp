#include "treefile/TreeFileChecks.h"

#include "diagram/DiagramRows.h"

namespace treefile {

// Numbers that the next new person, event or comment would step past the 32-bit edge.
std::optional<QString> numbersLeaveRoom(const GenealogyStore& store)
{
    const struct {
        RecordTable GenealogyStore::*table;
        int field;
        const char* name;
    } numbered[] = {{&GenealogyStore::persons, PersonField::num, "persons"},
                    {&GenealogyStore::events, EventField::id, "events"},
                    {&GenealogyStore::notes, NoteField::num, "notes"}};
    for (const auto& n : numbered) {
        const RecordTable& table = store.*n.table;
        for (int p = 0; p < table.recordCount(); ++p)
            if (table.integerAt(table.rowAt(p), n.field) == INT32_MAX)
                return QStringLiteral("номер %1 в таблице %2 не оставляет места для следующего")
                    .arg(INT32_MAX)
                    .arg(QLatin1String(n.name));
    }
    return std::nullopt;
}

std::optional<QString> boxPositionsInRange(const RecordTable& diagram)
{
    const auto inRange = [](int v) { return v >= -maxDiagramCoordinate && v <= maxDiagramCoordinate; };
    for (int p = 0; p < diagram.recordCount(); ++p) {
        const RowId row = diagram.rowAt(p);
        if (isPersonRow(diagram, row)
            && (!inRange(diagram.integerAt(row, DiagramField::x)) || !inRange(diagram.integerAt(row, DiagramField::y))))
            return QStringLiteral("положение рамки на диаграмме выходит за допустимые пределы");
    }
    return std::nullopt;
}

std::optional<QString> countersInRange(const GenealogyStore& store)
{
    for (const TreeFileTable& t : treeFileTables())
        if ((store.*t.table).creationCounter() > maxCreationCounter)
            return QStringLiteral("счётчик строк таблицы %1 слишком велик").arg(QLatin1String(t.name));
    return std::nullopt;
}

std::optional<QString> contentRefusal(const GenealogyStore& store)
{
    if (auto reason = numbersLeaveRoom(store))
        return reason;
    if (auto reason = countersInRange(store))
        return reason;
    return boxPositionsInRange(store.diagram);
}

} // namespace treefile
