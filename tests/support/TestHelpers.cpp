#include "support/TestHelpers.h"

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
