#include "support/TestHelpers.h"

#include "store/GenealogyStore.h"

QStringList columnTexts(const RecordTable& table, int field)
{
    QStringList out;
    for (int p = 0; p < table.recordCount(); ++p)
        out << table.stringAt(table.rowAt(p), field);
    return out;
}

QList<int> columnIntegers(const RecordTable& table, int field)
{
    QList<int> out;
    for (int p = 0; p < table.recordCount(); ++p)
        out << table.integerAt(table.rowAt(p), field);
    return out;
}

QList<QList<int>> linkTriples(const RecordTable& links)
{
    QList<QList<int>> out;
    for (int p = 0; p < links.recordCount(); ++p) {
        const RowId row = links.rowAt(p);
        out.push_back({links.integerAt(row, LinkField::id1), links.integerAt(row, LinkField::id2),
                       links.integerAt(row, LinkField::rel)});
    }
    return out;
}
