// The undo history as the user meets it: the menu's texts, the keys, the
// unsaved marker, and a tree that comes back whole.
#include "autotree/ui/TreeBuildController.h"
#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "dialogs/ui/Tnames_form.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QTemporaryDir>

namespace {

// Every kept table: rows with their creation numbers, and the current row.
QString keptState(GenealogyStore& store)
{
    QString out;
    for (RecordTable* table : store.keptTables()) {
        out += table->tableName() + QLatin1Char('\n');
        for (const RecordTable::SavedRow& row : table->savedRows()) {
            out += QString::number(row.creation);
            for (const Cell& cell : row.cells) {
                out += QLatin1Char('\t');
                if (auto i = std::get_if<std::int32_t>(&cell))
                    out += QString::number(*i);
                else if (auto b = std::get_if<bool>(&cell))
                    out += *b ? QStringLiteral("T") : QStringLiteral("F");
                else if (auto t = std::get_if<QString>(&cell))
                    out += QLatin1Char('"') + *t + QLatin1Char('"');
            }
            out += QLatin1Char('\n');
        }
        if (const auto current = table->currentRowId())
            out += QStringLiteral("current %1\n").arg(table->creationNumber(*current));
    }
    return out;
}

const QByteArray familyFirst = R"(0 HEAD
1 CHAR UTF-8
0 @F0001@ FAM
1 HUSB @I0002@
1 WIFE @I0003@
1 CHIL @I0001@
0 @I0001@ INDI
1 NAME Иван Петрович /Иванов/
1 NAME Ваня /Иванов/
2 TYPE aka
1 SEX M
1 BIRT
2 DATE 1 JAN 1900
2 PLAC Москва
1 NOTE Первая строка
2 CONT вторая
1 OBJE
2 FILE photo.jpg
2 TITL Портрет
0 @I0002@ INDI
1 NAME Пётр /Иванов/
1 SEX M
0 @I0003@ INDI
1 NAME Мария /Иванова/
1 SEX F
0 TRLR
)";

class HistoryWindow : public WindowTest {
protected:
    QAction* undo() { return named<QAction>(form, "UndoStep"); }
    QAction* redo() { return named<QAction>(form, "RedoStep"); }
};

} // namespace

TEST_F(HistoryWindow, ADeletedPersonComesBackWholeAndTheMarkerFollows)
{
    const int straysBefore = strayHistoryChanges;
    EXPECT_EQ(undo()->text(), QStringLiteral("Отменить"));
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    EXPECT_EQ(undo()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(redo()->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                        QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));

    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("семья.ged")), familyFirst);
    form.importer().importGedcomFile(path);
    ASSERT_EQ(s.persons.recordCount(), 3);
    EXPECT_EQ(undo()->text(), QStringLiteral("Отменить: импорт «семья.ged»"));

    // A build, undone and done again.
    ASSERT_TRUE(s.persons.locate(PersonField::num, 1));
    const QString beforeBuild = keptState(s);
    form.trees().MenuItem2Click();
    ASSERT_EQ(s.diagram.recordCount(), 5);  // three boxes, two lines
    const QString afterBuild = keptState(s);
    EXPECT_EQ(undo()->text(), QStringLiteral("Отменить: построение восходящего древа"));
    undo()->trigger();
    EXPECT_EQ(keptState(s), beforeBuild);
    EXPECT_EQ(redo()->text(), QStringLiteral("Повторить: построение восходящего древа"));
    redo()->trigger();
    EXPECT_EQ(keptState(s), afterBuild);

    // Deleting from the diagram takes names, events, notes, links and boxes;
    // the keys give them back and take them again.
    s.history.setSaved();
    EXPECT_FALSE(form.treeModified());
    const QString beforeDelete = keptState(s);
    form.diagram().popupPerson = 1;
    form.diagram().N45Click();
    EXPECT_EQ(s.persons.recordCount(), 2);
    EXPECT_TRUE(form.treeModified());
    EXPECT_EQ(undo()->text(), QStringLiteral("Отменить: удаление персонажа Иванов Иван Петрович"));
    undo()->trigger();
    EXPECT_EQ(keptState(s), beforeDelete);
    EXPECT_FALSE(form.treeModified());
    EXPECT_FALSE(caption().endsWith(QLatin1Char('*')));
    redo()->trigger();
    EXPECT_EQ(s.persons.recordCount(), 2);
    EXPECT_TRUE(form.treeModified());
    undo()->trigger();
    EXPECT_EQ(keptState(s), beforeDelete);

    // Not while a dialog is open.
    form.windows().nameDialog->show();
    form.windows().nameDialog->hide();
    form.windows().nameDialog->show();
    EXPECT_FALSE(undo()->isEnabled());
    form.windows().nameDialog->hide();
    EXPECT_TRUE(undo()->isEnabled());

    // Every command above made its changes inside its own step.
    EXPECT_EQ(strayHistoryChanges, straysBefore);

    // Another tree starts an empty history.
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);
    form.N2Click();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
}
