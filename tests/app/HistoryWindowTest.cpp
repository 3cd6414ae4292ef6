// The undo history as the user meets it: the menu's texts, the keys, the
// unsaved marker, and a tree that comes back whole.
#include "autotree/ui/TreeBuildController.h"
#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "card/ui/TForm3.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QPushButton>
#include <QTableView>
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

    // The command makes exactly one step of that name, which undo takes back
    // to the state before it and redo gives again.
    void expectStep(const QString& name, const std::function<void()>& command)
    {
        const int strays = strayHistoryChanges;
        const int steps = s.history.stack().count();
        const QString before = keptState(s);
        command();
        QCoreApplication::processEvents();
        EXPECT_EQ(strayHistoryChanges, strays) << name.toStdString();
        ASSERT_EQ(s.history.stack().count(), steps + 1) << name.toStdString();
        EXPECT_EQ(undo()->text(), QStringLiteral("Отменить: ") + name);
        const QString after = keptState(s);
        undo()->trigger();
        EXPECT_TRUE(keptState(s) == before) << name.toStdString() << " undone:\n" << keptState(s).toStdString()
                                            << "\nwanted:\n" << before.toStdString();
        redo()->trigger();
        EXPECT_TRUE(keptState(s) == after) << name.toStdString() << " redone:\n" << keptState(s).toStdString()
                                           << "\nwanted:\n" << after.toStdString();
    }
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

TEST_F(HistoryWindow, EveryCommandIsOneNamedStep)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("фото.jpg"));
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture, "JPG"));
    auto& card = form.card();
    auto& diagram = form.diagram();

    expectStep(QStringLiteral("добавление персонажа"), [&] { form.list().BitBtn5Click(); });
    expectStep(QStringLiteral("добавление персонажа"), [&] { form.list().BitBtn5Click(); });
    openCard(1);
    rightClick(card.DBGrid4, 0);
    expectStep(QStringLiteral("добавление имени"), [&] {
        card.N57->trigger();
        form.windows().nameDialog->Edit1->setText(QStringLiteral("Петров"));
        form.windows().nameDialog->Button1->click();
    });
    openCard(1);
    rightClick(card.DBGrid3);
    expectStep(QStringLiteral("добавление события"), [&] {
        card.N57->trigger();
        form.windows().eventDialog->Button5->click();
    });
    openCard(1);
    rightClick(card.DBGrid5, 0);
    expectStep(QStringLiteral("добавление комментария"), [&] {
        platform.inputAnswers.push_back(QStringLiteral("Заметка"));
        card.N74Click();
        form.windows().noteDialog->RxRichEdit1->setPlainText(QStringLiteral("Со слов внучки"));
        form.windows().noteDialog->Button1->click();
    });
    openCard(1);
    rightClick(card.DBGrid6, 0);
    expectStep(QStringLiteral("добавление медиа-файла"), [&] {
        platform.inputAnswers.push_back(QStringLiteral("Фото"));
        platform.pictureAnswers.push_back(picture);
        card.N74Click();
    });
    openCard(1);
    expectStep(QStringLiteral("добавление родственника"), [&] { card.AddRelative(Relative::Son); });
    openCard(1);
    rightClick(card.DBGrid2);
    card.N59->trigger();
    form.windows().linkDialog->setChoice(TForm2::Spouse);
    form.windows().linkDialog->Button1->click();
    s.persons.locate(PersonField::num, 2);
    expectStep(QStringLiteral("добавление связи"), [&] { form.list().DBGrid1Open(); });
    openCard(1);
    rightClick(card.DBGrid2, 0);
    expectStep(QStringLiteral("удаление ссылки"), [&] { card.N60->trigger(); });

    form.selectTab(TForm1::DiagramMode);
    diagram.popupPoint = QPoint(300, 300);
    expectStep(QStringLiteral("добавление мужчины на диаграмму"), [&] { diagram.N47Click(); });
    diagram.popupPoint = QPoint(500, 300);
    expectStep(QStringLiteral("добавление женщины на диаграмму"), [&] { diagram.N46Click(); });
    s.persons.locate(PersonField::num, 1);
    expectStep(QStringLiteral("построение двустороннего древа"), [&] { form.trees().N35Click(); });
    // The stretch also shifts the view; undoing it shows again what was seen before.
    const DiagramView& view = *diagram.ScrollBox1;
    auto viewAt = [&] { return QPoint(view.horzPosition(), view.vertPosition()); };
    const QPoint seenBefore = viewAt();
    QPoint seenAfter;
    expectStep(QStringLiteral("растяжение диаграммы"), [&] {
        form.windows().navigator->SpeedButton6Click();
        seenAfter = viewAt();
    });
    EXPECT_NE(seenAfter, seenBefore);
    undo()->trigger();
    EXPECT_EQ(viewAt(), seenBefore);
    redo()->trigger();
    EXPECT_EQ(viewAt(), seenAfter);
    expectStep(QStringLiteral("свойства изображения"), [&] {
        diagram.showImageProperties();
        QCheckBox* grid = form.windows().imageProperties->CheckBox3;
        grid->setChecked(!grid->isChecked());
        form.windows().imageProperties->OKBtnClick();
    });
    // A box dragged off the grid, then the grid again.
    ASSERT_TRUE(s.diagram.locate(DiagramField::type, 2));
    const int owner = s.diagram.asInteger(DiagramField::owner);
    const QPoint box(s.diagram.asInteger(DiagramField::x), s.diagram.asInteger(DiagramField::y));
    expectStep(QStringLiteral("перемещение по диаграмме"), [&] {
        diagram.PaintBox1MouseDown(Qt::LeftButton, box.x() + 1, box.y() + 1);
        diagram.PaintBox1MouseMove(box.x() + 14, box.y() + 8);
        diagram.PaintBox1MouseUp(Qt::LeftButton, box.x() + 14, box.y() + 8);
    });
    expectStep(QStringLiteral("выравнивание по сетке"), [&] { diagram.N50Click(); });
    diagram.popupPerson = owner;
    expectStep(QStringLiteral("удаление с рисунка"), [&] { diagram.N44Click(); });
    expectStep(QStringLiteral("очистка диаграммы"), [&] { diagram.N51Click(); });

    form.selectTab(TForm1::ListMode);
    s.persons.locate(PersonField::num, 1);
    expectStep(QStringLiteral("удаление персонажа №1"), [&] { form.list().BitBtn6Click(); });
}
