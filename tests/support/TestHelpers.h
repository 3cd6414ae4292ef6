#pragma once
#include "store/RecordTable.h"

#include <QString>
#include <QStringList>
#include <ostream>

// Lets gtest print QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// The values of one field, row by row in table order.
QStringList columnTexts(const RecordTable& table, int field);
QList<int> columnIntegers(const RecordTable& table, int field);
// The links table as (id1, id2, rel) triples in table order.
QList<QList<int>> linkTriples(const RecordTable& links);
