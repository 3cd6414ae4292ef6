#pragma once
#include "store/GenealogyStore.h"

#include <QPoint>
#include <QSize>
#include <optional>
#include <unordered_map>
#include <vector>

class DiagramIndex;

// Row kinds of the diagram items table (RxMemoryData5).
namespace DiagramRowType {
constexpr int Female = 1;
constexpr int Male = 2;
constexpr int Line = 3;
}

inline bool isPersonRow(const RecordTable& items, RowId row)  // any type but a line
{
    return items.integerAt(row, DiagramField::type) != DiagramRowType::Line;
}
inline bool isLineRow(const RecordTable& items, RowId row)
{
    return items.integerAt(row, DiagramField::type) == DiagramRowType::Line;
}

// Leaves the cursor where a walk from the first to the last row leaves it, so
// that the next positional insert lands where it always does.
void leaveAtEnd(RecordTable& table);

// Inserts before the current row. The captions are copies: family name in name,
// given name and patronymic in fam.
void insertPersonRow(RecordTable& items, int type, QPoint at, const QString& familyName, const QString& givenNames,
                     int owner, std::optional<bool> checked = false);
void insertLineRow(RecordTable& items, int firstPerson, int secondPerson);

// Position of the first person row of this person in table order, or -1.
int personRowPosition(RecordTable& items, int owner);

// The box position of every person's first row, built once for a whole drawing pass.
class PersonRowLookup {
public:
    struct Box {
        int owner;
        QPoint at;
    };
    explicit PersonRowLookup(const RecordTable& items) { refill(items); }
    explicit PersonRowLookup(const std::vector<Box>& boxes) { refill(boxes); }
    // Looks the table up anew, keeping the room already taken.
    void refill(const RecordTable& items);
    // The same from the person rows already read, in table order.
    void refill(const std::vector<Box>& boxes);
    std::optional<QPoint> find(int owner) const;

private:
    // Person numbers are mostly dense: a vector by number, a map otherwise.
    int lowest_ = 0;
    std::vector<QPoint> dense_;
    std::vector<bool> present_;
    std::unordered_map<int, QPoint> sparse_;
};

// Line rows first, then men, then women.
void sortLinesFirst(RecordTable& items);

// Removes the person's row and every line row naming the person; nothing when
// the person has no row.
void RemoveFromDiagram(RecordTable& items, int person);

// The person whose box is hit at (x, y), -1 for none; the hit area is centred
// on a row's top left corner and is twice the picture size each way.
// An index of the table, when given, spares the walk over every row.
int PersonAt(RecordTable& items, int x, int y, QSize picture, DiagramIndex* index = nullptr);

// Fills the selection table (RxMemoryData13) with the person rows whose top
// left corner lies strictly inside the band.
void selectInBand(RecordTable& items, RecordTable& selection, QPoint corner1, QPoint corner2,
                  DiagramIndex* index = nullptr);
// Makes this person row the only selected one.
void selectOnly(RecordTable& items, RecordTable& selection, int owner);
