#pragma once
#include "app/TForm1.h"
#include "platform/ScriptedPlatform.h"
#include "store/RecordTable.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <string>

class QTableView;

// Changes of kept tables made outside any history step so far.
extern int strayHistoryChanges;

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
// A table's rows with their creation numbers and cells, in table order, and
// the creation number of its current row (0 when none): what undo must give back.
struct TableSnapshot {
    std::vector<RecordTable::SavedRow> rows;
    std::uint64_t current = 0;

    bool sameRows(const TableSnapshot& other) const;
};
TableSnapshot snapshotOf(const RecordTable& table);
// What a grid shows in one column, line by line.
QStringList gridTexts(const QTableView* grid, int column = 0);

// Whole files; a file that cannot be written fails the test.
QString writeFile(const QString& path, const QByteArray& content);
QByteArray readFile(const QString& path);

// The application run as a script runs it, with no display.
struct ProcessResult {
    int exitCode = -1;
    QString out, err;
};
ProcessResult runApplication(const QStringList& arguments);
inline ProcessResult runBatchProcess(const QStringList& steps)
{
    return runApplication(QStringList{QStringLiteral("--batch")} + steps);
}

// A root (1) with both parents (2, 3) and all four grandparents (4 to 7).
extern const QByteArray pedigreeGedcom;

// A control found by its designed name under root; fails the test when it is missing.
template <typename T>
T* named(QObject& root, const char* objectName)
{
    T* found = root.findChild<T*>(QString::fromUtf8(objectName));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + objectName);
    return found;
}

// The main window with its secondary windows, shown; dialogs answered by the platform.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    // The window title without the unsaved-changes marker.
    QString caption() const;
    // The person opened from the list, as a double click opens it.
    void openCard(int num);
    // A right click on a grid line, or below the lines, as the user makes it.
    static void rightClick(QTableView* grid, int line = -1);

    // Recent files of earlier tests never reach this window.
    struct FreshSettings {
        FreshSettings();
    } freshSettings;
    ScriptedPlatform platform;
    TForm1 form;
    GenealogyStore& s = form.store();
};
