#include "widgets/GridBinding.h"
#include "store/GenealogyStore.h"
#include "store/RecordTableModel.h"
#include "support/TestHelpers.h"

#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

TEST(RecordTableModel, ShowsVisibleFieldsAndFollowsTheCursorBothWays)
{
    GenealogyStore store;
    RecordTable& persons = store.persons;
    persons.setDisplayCallback(PersonField::fullname, [&persons](RowId row) {
        return persons.stringAt(row, PersonField::name) + QStringLiteral("  ");
    });
    QTableView grid;
    auto* model = new RecordTableModel(persons, &grid);
    bindGrid(&grid, model);

    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Фамилия Имя /Отчество/"));
    EXPECT_EQ(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Место смерти"));
    EXPECT_EQ(model->columns()[0].widthChars, 62);

    for (int n = 3; n >= 1; --n)
        persons.insertRecord({n, "", QStringLiteral("№%1").arg(n), "", "", true, QStringLiteral("19%1").arg(n)});
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->data(model->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("№1  "));
    EXPECT_EQ(model->data(model->index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("193"));

    persons.setRecNo(3);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    grid.setCurrentIndex(model->index(1, 0));
    EXPECT_EQ(persons.asInteger(PersonField::num), 2);

    // An edit shows at once; suspended inserts show only when the last suspension ends.
    persons.edit();
    persons.setValue(PersonField::birth_date, "ДО 1900");
    persons.post();
    EXPECT_EQ(model->data(model->index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("ДО 1900"));
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    persons.disableControls();
    persons.disableControls();
    persons.insertRecord({4});
    persons.insertRecord({5});
    persons.enableControls();
    EXPECT_EQ(resets.count(), 0);
    persons.enableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(grid.currentIndex().row(), persons.currentPosition());
}

TEST(RecordTableModel, FilteredTableShowsOnlyVisibleRows)
{
    RecordTable table("T", {{.name = "id", .kind = FieldKind::Integer}});
    for (int n = 6; n >= 1; --n)
        table.insertRecord({n});
    table.setFilterCallback([&table](RowId row) { return table.integerAt(row, 0) > 3; });
    RecordTableModel model(table);
    table.setFiltered(true);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("4"));
    EXPECT_EQ(model.currentLine(), 0);
    model.setCurrentLine(2);
    EXPECT_EQ(table.asInteger(0), 6);
    EXPECT_EQ(model.currentLine(), 2);
    table.setFiltered(false);
    EXPECT_EQ(model.rowCount(), 6);
}
