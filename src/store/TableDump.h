#pragma once
#include "store/RecordTable.h"

// A table as tab-separated text: "# name", the stored fields' names, then one
// line per row in table order. Integers in decimal, Booleans True/False, an
// empty field as nothing; tab, newline and backslash in texts escaped.
QString dumpTable(const RecordTable& table, const QString& name);
