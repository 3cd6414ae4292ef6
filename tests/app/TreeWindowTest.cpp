#include "autotree/ui/TreeBuildController.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "export/ui/ExportController.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QToolButton>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>

namespace {

class TreeWindow : public WindowTest {
protected:
    QString importPedigree()
    {
        const QString path = writeFile(dir.filePath(QStringLiteral("p.ged")), pedigreeGedcom);
        form.importer().importGedcomFile(path);
        return path;
    }
    QPoint boxOf(int owner)
    {
        const int p = personRowPosition(s.diagram, owner);
        const RowId row = s.diagram.rowAt(std::max(p, 0));
        return p < 0 ? QPoint(-1, -1) : QPoint(s.diagram.integerAt(row, DiagramField::x), s.diagram.integerAt(row, DiagramField::y));
    }
    int current() { return s.persons.asInteger(PersonField::num); }

    QTemporaryDir dir;
    TreeBuildController& trees = form.trees();
};

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
    EXPECT_EQ(boxOf(1), QPoint(1020, 900));  // the layout itself is pinned in TreeLayoutTest
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
    EXPECT_EQ(boxOf(7), QPoint(1105, 750));
    EXPECT_EQ(view.horzRange(), 1955);
}

TEST_F(TreeWindow, DescendingAndTwoWayLeaveTheLastVisitedPersonCurrent)
{
    importPedigree();
    s.persons.locate(PersonField::num, 4);
    trees.MenuItem3Click();
    EXPECT_EQ(current(), 1);  // 4 → 2 → 1, the last descendant visited

    form.selectTab(TForm1::ListMode);
    s.persons.locate(PersonField::num, 2);
    trees.N35Click();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(current(), 1);
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
    const QString gedcom = importPedigree();
    form.windows().imageProperties->setUnits({90, 70});
    s.persons.locate(PersonField::num, 1);
    trees.MenuItem2Click();
    form.exporter().ClipboardBMP1Click();
    ASSERT_TRUE(platform.clipboard.has_value());

    const QString bitmap = dir.filePath(QStringLiteral("p.bmp"));
    const ProcessResult run = runBatchProcess({"--import", gedcom, "--units", "90,70", "--root", "1", "--build",
                                             "ascending", "--export-bitmap", bitmap});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Only the import's summary, on one line.
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Импорт из файла «")) && run.err.count(QLatin1Char('\n')) == 1)
        << run.err.toStdString();
    const QImage written(bitmap);
    EXPECT_EQ(written.depth(), 1);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), platform.clipboard->convertToFormat(QImage::Format_RGB32));
}

TEST(Batch, RefusalsTellTheStepWriteNothingAndSkipWhatWouldActOnTheWrongPerson)
{
    QTemporaryDir dir;
    const QString ged = writeFile(dir.filePath(QStringLiteral("p.ged")), pedigreeGedcom);
    const QString bitmap = dir.filePath(QStringLiteral("x.bmp")), text = dir.filePath(QStringLiteral("x.txt"));
    const struct {
        QStringList steps;
        QString error;  // a part of standard error
    } cases[] = {
        {{"--import", ged, "--root", "99", "--build", "ascending", "--export-bitmap", bitmap}, "Шаг --export-bitmap пропущен"},
        {{"--import", ged, "--root", "99", "--build", "descending", "--export-image", dir.filePath("x.png")},
         "Шаг --export-image пропущен"},
        {{"--import", ged, "--root", "abc", "--build", "twoway"}, "'abc' не является целым числом"},
        {{"--open", dir.filePath("none.arbolitus"), "--export-gedcom", dir.filePath("o.ged")},
         "Шаг --export-gedcom пропущен"},
        {{"--import", dir.filePath("none.ged"), "--import", ged, "--save", dir.filePath("o.arbolitus"),
          "--export-image", dir.filePath("o.svg"), "--export-register", "1", text},
         "Шаг --export-register пропущен"},
        {{"--units", "0,75"}, "Неверные единицы диаграммы '0,75'"},
        {{"--units", "85"}, "Неверные единицы диаграммы"},
        {{"--units", "85,100001"}, "Неверные единицы диаграммы"},
        {{"--build", "ascending"}, "Нет записей в базе данных"},
        {{"--import", ged, "--build", "sideways"}, "Неизвестный вид древа: sideways"},
        {{"--export-bitmap", bitmap}, QString()},  // an empty diagram: a message, no file
        {{"--import", ged, "--root", "1", "--build", "descending", "--export-image", dir.filePath("no/x.svg")},
         "«x.svg»: папка"},
        {{"--import", ged, "--export-register", "99", text}, "Нет персонажа с номером 99"},
        {{"--import", ged, "--export-register", "один", text}, "не число: один"},
        {{"--import", ged, "--export-register", "1"}, "После --export-register не указано значение"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = runBatchProcess(c.steps);
        EXPECT_EQ(run.exitCode, 1) << c.steps.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.ged"});
    }
}
