#pragma once
#include "store/RecordTable.h"

#include <QString>
#include <QStringList>
#include <ostream>
#include <stdexcept>
#include <string>

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

#include <QObject>

// A control found by its designed name under root; fails the test when it is missing.
template <typename T>
T* named(QObject& root, const char* objectName)
{
    T* found = root.findChild<T*>(QString::fromUtf8(objectName));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + objectName);
    return found;
}
