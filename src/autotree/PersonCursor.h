#pragma once
#include "store/RecordTable.h"

#include <unordered_map>

// The persons table's cursor as the layout walks move it, followed without
// moving the table: a failed lookup leaves the previous person current, so an
// unknown number borrows the sex and names of whoever stays current.
class PersonCursor {
public:
    explicit PersonCursor(RecordTable& persons);

    void locate(int num);  // the first row with this number, as a table lookup finds it
    bool isKnown(int num);
    bool male() const;
    int boxType() const;  // 2 for a man, 1 otherwise
    bool valid() const { return position_ >= 0; }
    RowId row() const { return row_; }
    // Display name: family name, given name and patronymic joined by blanks.
    QString displayName(int num);

    // Puts the table's cursor where the followed lookups would have left it.
    void applyTo(RecordTable& persons) const;

private:
    struct Found {
        RowId row;
        int position;  // -1: no such person
    };
    const Found& find(int num);

    RecordTable& persons_;
    std::unordered_map<int, Found> cache_;
    RowId row_ = 0;
    int position_ = -1;
    bool moved_ = false;
};
