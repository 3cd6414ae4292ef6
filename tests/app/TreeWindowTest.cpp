#include "app/TForm1.h"
#include "autotree/ui/TreeBuildController.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "export/ui/ExportController.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QToolButton>
#include <QMenu>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A root (1) with both parents (2, 3) and all four grandparents (4 to 7).
const QByteArray pedigree = "0 HEAD\n1 CHAR UTF-8\n"
                            "0 @I1@ INDI\n1 NAME Роман Петрович /Орлов/\n1 SEX M\n"
                            "0 @I2@ INDI\n1 NAME Пётр Ильич /Орлов/\n1 SEX M\n"
                            "0 @I3@ INDI\n1 NAME Вера Павловна /Орлова/\n1 SEX F\n"
                            "0 @I4@ INDI\n1 NAME Илья /Орлов/\n1 SEX M\n"
                            "0 @I5@ INDI\n1 NAME Ольга /Орлова/\n1 SEX F\n"
                            "0 @I6@ INDI\n1 NAME Павел /Седов/\n1 SEX M\n"
                            "0 @I7@ INDI\n1 NAME Нина /Седова/\n1 SEX F\n"
                            "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n"
                            "0 @F2@ FAM\n1 HUSB @I4@\n1 WIFE @I5@\n1 CHIL @I2@\n"
                            "0 @F3@ FAM\n1 HUSB @I6@\n1 WIFE @I7@\n1 CHIL @I3@\n"
                            "0 TRLR\n";

class TreeWindow : public ::testing::Test {
protected:
    TreeWindow() : form(platform)
    {
        form.createSecondaryWindows();
        form.resize(900, 700);
        form.show();
    }
    QString write(const QString& name, const QByteArray& content)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    void importPedigree() { form.importer().importGedcomFile(write(QStringLiteral("p.ged"), pedigree)); }
    QPoint boxOf(int owner)
    {
        const int p = personRowPosition(s.diagram, owner);
        const RowId row = s.diagram.rowAt(std::max(p, 0));
        return p < 0 ? QPoint(-1, -1) : QPoint(s.diagram.integerAt(row, DiagramField::x), s.diagram.integerAt(row, DiagramField::y));
    }
    int current() { return s.persons.asInteger(PersonField::num); }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    TForm1 form;
    GenealogyStore& s = form.store();
    TreeBuildController& trees = form.trees();
};

struct BatchRun {
    int exitCode = -1;
    QString err;
};

BatchRun runBatch(const QStringList& steps)
{
    QProcess process;
    process.start(QStringLiteral(ARBOLITUS_EXECUTABLE), QStringList{QStringLiteral("--batch")} + steps);
    BatchRun run;
    if (process.waitForFinished(30000))
        run.exitCode = process.exitCode();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST_F(TreeWindow, BuildMenuHoldsThreeWorkingItems)
{
    const QList<QAction*> items = trees.RxPopupMenu7->actions();
    ASSERT_EQ(items.size(), 7);
    QStringList enabled;
    for (QAction* item : items)
        if (item->isEnabled())
            enabled << item->objectName();
    EXPECT_EQ(enabled, (QStringList{"MenuItem2", "MenuItem3", "N35"}));
    EXPECT_EQ(named<QToolButton>(form, "RxSpeedButton1")->menu(), trees.RxPopupMenu7);

    // Nothing to build from: the message, and the list stays.
    trees.MenuItem2Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Нет записей в базе данных"));
    EXPECT_EQ(form.mode(), TForm1::ListMode);
}

TEST_F(TreeWindow, AscendingBuildShowsTheCentredPedigreeAndKeepsTheRoot)
{
    importPedigree();
    s.persons.locate(PersonField::num, 1);
    named<QAction>(form, "MenuItem2")->trigger();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(form.list().DBGrid1->currentIndex().row(), s.persons.recNo() - 1);
    const QList<QPoint> expected = {{1020, 900}, {935, 825}, {1105, 825}, {850, 750}, {935, 750}, {1020, 750}, {1105, 750}};
    for (int num = 1; num <= 7; ++num)
        EXPECT_EQ(boxOf(num), expected[num - 1]) << num;
    DiagramView& view = *form.diagram().ScrollBox1;
    EXPECT_EQ(view.horzRange(), 1955);
    EXPECT_EQ(view.horzPosition(), clampedScrollPosition((1955 - view.clientWidth()) / 2, 1955, view.clientWidth()));
    EXPECT_EQ(view.vertPosition(), clampedScrollPosition((1650 - view.clientHeight()) / 2, 1650, view.clientHeight()));

    // The hidden commands: erase keeps the tables, draw puts the boxes back, compress runs alone.
    auto blackPixels = [&] {
        int n = 0;
        const QImage& canvas = view.canvasImage();
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                n += canvas.pixelColor(x, y) == Qt::black;
        return n;
    };
    EXPECT_GT(blackPixels(), 0);
    trees.N33Click();
    EXPECT_EQ(blackPixels(), 0);
    EXPECT_EQ(s.diagram.recordCount(), 13);
    trees.N32Click();
    EXPECT_GT(blackPixels(), 0);
    trees.N34Click();
    // 1020 is two units from the anchor 850, so the boxes before it move right; nothing normalises.
    EXPECT_EQ(boxOf(4), QPoint(935, 750));
    EXPECT_EQ(boxOf(2), QPoint(1020, 825));
    EXPECT_EQ(boxOf(7), QPoint(1105, 750));
    EXPECT_EQ(view.horzRange(), 1955);
}

TEST_F(TreeWindow, DescendingAndTwoWayLeaveTheLastVisitedPersonCurrent)
{
    importPedigree();
    s.persons.locate(PersonField::num, 4);
    trees.MenuItem3Click();
    EXPECT_EQ(current(), 1);  // 4 → 2 → 1, the last descendant visited
    EXPECT_EQ(boxOf(4), QPoint(850, 750));
    EXPECT_EQ(boxOf(1), QPoint(850, 900));

    form.selectTab(TForm1::ListMode);
    s.persons.locate(PersonField::num, 2);
    trees.N35Click();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(current(), 1);
    int rootBoxes = 0;
    for (int p = 0; p < s.diagram.recordCount(); ++p)
        rootBoxes += s.diagram.integerAt(s.diagram.rowAt(p), DiagramField::owner) == 2;
    EXPECT_EQ(rootBoxes, 1);
}

TEST_F(TreeWindow, CycleIsNamedOnceAndTheBuildEnds)
{
    importPedigree();
    s.links.insertRecord({1, 4, LinkKind::ParentOf});  // 1 is made a parent of his own grandfather
    s.persons.locate(PersonField::num, 1);
    trees.MenuItem2Click();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("Роман"))) << platform.lastMessage().toStdString();
}

TEST_F(TreeWindow, BatchBuildWritesTheClipboardsBitmap)
{
    const QString gedcom = write(QStringLiteral("p.ged"), pedigree);
    const QString bitmap = dir.filePath(QStringLiteral("p.bmp"));
    BatchRun run = runBatch({"--import", gedcom, "--units", "90,70", "--root", "1", "--build", "ascending",
                             "--export-bitmap", bitmap});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    const QImage written(bitmap);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.depth(), 1);

    form.importer().importGedcomFile(gedcom);
    form.windows().imageProperties->setUnits({90, 70});
    s.persons.locate(PersonField::num, 1);
    trees.MenuItem2Click();
    form.exporter().ClipboardBMP1Click();
    ASSERT_TRUE(platform.clipboard.has_value());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), platform.clipboard->convertToFormat(QImage::Format_RGB32));
}

TEST(TreeBatch, RefusalsTellTheStepAndSkipWhatWouldActOnTheWrongPerson)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("p.ged")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pedigree);
    file.close();
    const QString bitmap = dir.filePath(QStringLiteral("x.bmp"));
    const struct {
        QStringList steps;
        QString error;  // a part of standard error
    } cases[] = {
        {{"--import", file.fileName(), "--root", "99", "--build", "ascending", "--export-bitmap", bitmap},
         QStringLiteral("Шаг --export-bitmap пропущен")},
        {{"--import", file.fileName(), "--root", "abc", "--build", "twoway"}, QStringLiteral("'abc' не является целым числом")},
        {{"--units", "0,75"}, QStringLiteral("Неверные единицы диаграммы '0,75'")},
        {{"--units", "85"}, QStringLiteral("Неверные единицы диаграммы")},
        {{"--units", "85,100001"}, QStringLiteral("Неверные единицы диаграммы")},
        {{"--build", "ascending"}, QStringLiteral("Нет записей в базе данных")},
        {{"--import", file.fileName(), "--build", "sideways"}, QStringLiteral("Неизвестный вид древа: sideways")},
        {{"--export-bitmap", bitmap}, QString()},  // an empty diagram: a message, no file
    };
    for (const auto& c : cases) {
        const BatchRun run = runBatch(c.steps);
        EXPECT_EQ(run.exitCode, 1) << c.steps.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(bitmap)) << c.steps.join(' ').toStdString();
    }
}
