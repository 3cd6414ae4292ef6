#include "export/ui/ExportController.h"
#include "diagram/ui/DiagramController.h"
#include "list/ui/PersonListController.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "support/TestHelpers.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

class DiagramWindow : public WindowTest {
protected:
    DiagramWindow()
    {
        form.resize(900, 700);
        form.selectTab(TForm1::DiagramMode);
    }
    TOKBottomDlg1& dialog() { return *form.windows().imageProperties; }
    void box(int owner, int x, int y, int type = DiagramRowType::Male)
    {
        insertPersonRow(s.diagram, type, QPoint(x, y), QString(), QString(), owner);
    }
    void personInStore(int num, const char* name, bool male)
    {
        s.persons.insertRecord({num, "", name, "", "", male});
    }
    QPoint boxAt(int owner)
    {
        const int p = personRowPosition(s.diagram, owner);
        if (p < 0)
            return {-1, -1};
        const RowId row = s.diagram.rowAt(p);
        return {s.diagram.integerAt(row, DiagramField::x), s.diagram.integerAt(row, DiagramField::y)};
    }
    QList<QList<int>> lineRows()
    {
        QList<QList<int>> out;
        for (int p = 0; p < s.diagram.recordCount(); ++p) {
            const RowId row = s.diagram.rowAt(p);
            if (isLineRow(s.diagram, row))
                out.push_back({s.diagram.integerAt(row, DiagramField::x), s.diagram.integerAt(row, DiagramField::y)});
        }
        return out;
    }
    QList<QList<int>> linkRows() { return linkTriples(s.links); }
    // A right release on a diagram point, which remembers it for the commands.
    void rightClick(int x, int y) { form.diagram().PaintBox1MouseUp(Qt::RightButton, x, y); }
    QPoint onScreen(QPoint diagramPoint) { return diagramPoint - form.diagram().ScrollBox1->scrollPosition(); }
};

} // namespace

TEST_F(DiagramWindow, NewBoxesLandInTheMarginAndMenusFollowWhatIsUnderThePointer)
{
    rightClick(123, 456);
    ASSERT_EQ(platform.popups.size(), 1u);
    EXPECT_EQ(platform.popups.back().menuName, QStringLiteral("PopupMenu2"));
    form.diagram().N46Click();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(boxAt(1), QPoint(850, 750));
    EXPECT_FALSE(s.persons.asBoolean(PersonField::sex));
    EXPECT_EQ(columnTexts(s.diagram, DiagramField::fam), QStringList{QStringLiteral("№1 ")});
    EXPECT_EQ(columnIntegers(s.diagram, DiagramField::type), QList<int>{DiagramRowType::Female});
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 1 Связей: 0"));
    EXPECT_EQ(form.diagram().ScrollBox1->horzRange(), 1700);

    rightClick(860, 760);
    EXPECT_EQ(platform.popups.back().menuName, QStringLiteral("PopupMenu1"));
    EXPECT_EQ(form.diagram().popupPerson, 1);
    for (QAction* disabled : {form.diagram().N41, form.diagram().N62, form.diagram().N53})
        EXPECT_FALSE(disabled->isEnabled());

    // Clearing leaves the store and the counts alone.
    form.diagram().N51Click();
    EXPECT_TRUE(s.diagram.isEmpty());
    EXPECT_EQ(s.persons.recordCount(), 1);
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 1 Связей: 0"));
    EXPECT_EQ(form.diagram().ScrollBox1->horzRange(), 0);
}

TEST_F(DiagramWindow, BandSelectsAndDragMovesEveryBoxByThePointerDistance)
{
    box(1, 850, 750);
    box(2, 935, 750);
    box(3, 850, 825, DiagramRowType::Female);
    box(4, 1300, 900);
    insertLineRow(s.diagram, 3, 1);
    form.diagram().ScrollBox1->setRanges(2000, 1500);
    form.diagram().ScrollBox1->setHorzPosition(600);
    form.diagram().ScrollBox1->setVertPosition(500);
    form.diagram().DrawDiagram();

    // Through the real viewport: press on empty space, band, release.
    QWidget* paintBox = form.diagram().PaintBox1;
    QTest::mousePress(paintBox, Qt::LeftButton, {}, onScreen({800, 700}));
    EXPECT_TRUE(form.diagram().bandSelecting);
    QTest::mouseMove(paintBox, onScreen({1000, 900}));
    QTest::mouseRelease(paintBox, Qt::LeftButton, {}, onScreen({1000, 900}));
    EXPECT_FALSE(form.diagram().bandSelecting);
    QList<int> selected = columnIntegers(s.selection, SelectionField::owner);
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, (QList<int>{1, 2, 3}));

    // Drag by (+30, -12) in two moves; the ghost shows at once, the rows move at the release.
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 855, 755);
    EXPECT_TRUE(form.diagram().dragging);
    form.diagram().PaintBox1MouseMove(875, 745);
    const QImage& canvas = form.diagram().ScrollBox1->canvasImage();
    EXPECT_EQ(canvas.pixel(onScreen({850, 750})), qRgb(255, 255, 255));  // lifted off
    EXPECT_EQ(canvas.pixel(onScreen({870, 740})), qRgb(0, 0, 0));        // ghost corner
    EXPECT_EQ(boxAt(1), QPoint(850, 750));
    form.diagram().PaintBox1MouseMove(885, 743);
    form.diagram().PaintBox1MouseUp(Qt::LeftButton, 885, 743);
    EXPECT_FALSE(form.diagram().dragging);
    EXPECT_EQ(boxAt(1), QPoint(880, 738));
    EXPECT_EQ(boxAt(2), QPoint(965, 738));
    EXPECT_EQ(boxAt(3), QPoint(880, 813));
    EXPECT_EQ(boxAt(4), QPoint(1300, 900));
    EXPECT_EQ(lineRows(), (QList<QList<int>>{{3, 1}}));
    EXPECT_EQ(canvas.pixel(onScreen({880, 738})), qRgb(0, 0, 0));

    // A click on an unselected box selects it alone; a click on empty space empties the selection.
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 1300, 900);
    form.diagram().PaintBox1MouseUp(Qt::LeftButton, 1300, 900);
    EXPECT_EQ(columnIntegers(s.selection, SelectionField::owner), QList<int>{4});
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 1500, 1200);
    form.diagram().PaintBox1MouseUp(Qt::LeftButton, 1500, 1200);
    EXPECT_TRUE(s.selection.isEmpty());
}

TEST_F(DiagramWindow, NamingAParentAddsLineAndLinkButNeverTheSamePerson)
{
    box(5, 850, 900);
    box(8, 765, 750);
    rightClick(850, 900);
    form.diagram().N40Click();
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 1500, 1500);  // empty space: picking ends, nothing added
    EXPECT_FALSE(form.diagram().pickingParent);
    EXPECT_TRUE(lineRows().isEmpty());

    rightClick(850, 900);
    form.diagram().N40Click();
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 850, 900);  // the person himself: refused
    EXPECT_FALSE(form.diagram().pickingParent);
    EXPECT_TRUE(s.links.isEmpty());

    rightClick(850, 900);
    form.diagram().N40Click();
    form.diagram().PaintBox1MouseDown(Qt::LeftButton, 770, 755);
    EXPECT_EQ(lineRows(), (QList<QList<int>>{{5, 8}}));
    EXPECT_EQ(linkRows(), (QList<QList<int>>{{8, 5, 2}}));
    EXPECT_EQ(columnIntegers(s.diagram, DiagramField::type).first(), DiagramRowType::Line);
    EXPECT_EQ(form.diagram().popupPerson, -1);

    // Removing takes the box under the pointer; deleting also takes the person.
    s.persons.insertRecord({5, "", "", "", "", true});
    s.persons.insertRecord({8, "", "", "", "", true});
    rightClick(765, 750);
    form.diagram().N44Click();
    EXPECT_EQ(boxAt(8), QPoint(-1, -1));
    EXPECT_EQ(s.persons.recordCount(), 2);
    rightClick(850, 900);
    form.diagram().N45Click();
    EXPECT_TRUE(s.diagram.isEmpty());
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), QList<int>{8});
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 1 Связей: 0"));
}

TEST_F(DiagramWindow, AncestorSkeletonInputsAndDepth)
{
    rightClick(400, 500);
    for (const char* answer : {"abc", "10", "-1"})
        platform.inputAnswers.push_back(QString::fromUtf8(answer));
    form.diagram().N61Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Вы должны ввести число"));
    form.diagram().N61Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Слишком много"));
    form.diagram().N61Click();
    EXPECT_TRUE(s.persons.isEmpty());
    EXPECT_EQ(platform.messages.size(), 2u);
    form.diagram().N61Click();  // cancelled
    EXPECT_TRUE(s.persons.isEmpty());

    platform.inputAnswers.push_back(QStringLiteral("3"));
    form.diagram().N61Click();
    EXPECT_EQ(platform.inputPrompts.back(), QStringLiteral("Введите число поколений:"));
    ASSERT_EQ(s.persons.recordCount(), 7);
    // Depth first, fathers on the right; then shifted by (705, 400) into the margin.
    const QList<QPoint> expected = {{400, 500}, {570, 425}, {655, 350}, {485, 350},
                                    {230, 425}, {315, 350}, {145, 350}};
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(boxAt(n), expected[n - 1] + QPoint(705, 400)) << n;
    QList<int> sexes;
    for (int n = 1; n <= 7; ++n) {
        s.persons.locate(PersonField::num, n);
        sexes << int(s.persons.asBoolean(PersonField::sex));
    }
    EXPECT_EQ(sexes, (QList<int>{1, 1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(lineRows().size(), 6);
    EXPECT_EQ(s.links.recordCount(), 6);
    EXPECT_TRUE(linkRows().contains(QList<int>{2, 1, 2}));
    EXPECT_TRUE(linkRows().contains(QList<int>{7, 5, 2}));
    EXPECT_TRUE(lineRows().contains(QList<int>{1, 2}));

    rightClick(boxAt(1).x(), boxAt(1).y());
    form.diagram().N30Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("2 для 1"));
    rightClick(boxAt(3).x(), boxAt(3).y());
    form.diagram().N30Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("0 для 3"));
}

TEST_F(DiagramWindow, PickingFromTheListAddsTheBoxAndItsParentLines)
{
    rightClick(300, 300);
    form.diagram().N48Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Нет записей в базе данных"));
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);

    personInStore(1, "Иван", true);
    personInStore(2, "Пётр", true);
    s.links.insertRecord({1, 2, LinkKind::ParentOf});
    s.links.insertRecord({2, 3, LinkKind::ParentOf});
    box(2, 850, 750);
    form.diagram().N48Click();
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_FALSE(named<QMenuBar>(form, "MainMenu1")->isVisible());
    EXPECT_FALSE(named<QTabBar>(form, "TabSet1")->isVisible());
    EXPECT_EQ(form.statusText(), QStringLiteral("Укажите персонаж для добавления на графическую диаграмму"));

    s.persons.locate(PersonField::num, 1);
    form.list().DBGrid1Open();
    EXPECT_FALSE(form.diagram().pickingFromList);
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(boxAt(1), QPoint(300, 300));  // exactly where the menu was opened
    EXPECT_EQ(lineRows(), (QList<QList<int>>{{1, 2}}));
    EXPECT_TRUE(named<QMenuBar>(form, "MainMenu1")->isVisible());
    EXPECT_TRUE(named<QTabBar>(form, "TabSet1")->isVisible());
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 2 Связей: 2"));

    // The same person again: told, and no second box or line.
    form.diagram().N48Click();
    s.persons.locate(PersonField::num, 1);
    form.list().DBGrid1Open();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Этот персонаж уже присутствует на древе"));
    EXPECT_EQ(s.diagram.recordCount(), 3);
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
}

TEST_F(DiagramWindow, ImagePropertiesApplyAtConfirmation)
{
    named<QAction>(form, "N38")->trigger();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(form.isEnabled());
    dialog().CheckBox4->setChecked(true);
    box(1, 900, 800);
    form.diagram().ScrollBox1->setRanges(1000, 1000);
    dialog().OKBtn->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(boxAt(1), QPoint(850, 750));

    // Units below 1 are refused; a cleared line width becomes 1 when left.
    dialog().SpinEdit2->setValue(0);
    EXPECT_EQ(dialog().units().h, 1);
    dialog().SpinEdit1->clear();
    dialog().SpinEdit1Exit();
    EXPECT_EQ(dialog().SpinEdit1->value(), 1);

    // Fonts: a cancelled chooser changes nothing.
    const QFont before = form.diagram().canvasState.font;
    dialog().BitBtn1Click();
    EXPECT_EQ(form.diagram().canvasState.font, before);
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPixelSize(11);
    platform.fontAnswers.push_back(chosen);
    dialog().BitBtn1Click();
    EXPECT_EQ(form.diagram().canvasState.font.pixelSize(), 11);
    EXPECT_EQ(dialog().diagramFont().pixelSize(), 11);

    // Legend pictures: a JPEG is taken, a file that is no picture is refused.
    QTemporaryDir dir;
    QImage jpeg(24, 20, QImage::Format_RGB32);
    jpeg.fill(Qt::black);
    const QString jpegPath = dir.filePath(QStringLiteral("w.jpg"));
    ASSERT_TRUE(jpeg.save(jpegPath, "JPG"));
    const QString textPath = writeFile(dir.filePath(QStringLiteral("x.bmp")), "not a picture");
    platform.pictureAnswers.push_back(jpegPath);
    dialog().Image2DblClick();
    EXPECT_EQ(form.pictures().female.size(), QSize(24, 20));
    EXPECT_EQ(dialog().femalePictureSize(), QSize(24, 20));
    platform.pictureAnswers.push_back(textPath);
    const size_t messages = platform.messages.size();
    dialog().Image1DblClick();
    EXPECT_EQ(platform.messages.size(), messages + 1);
    EXPECT_EQ(form.pictures().male.size(), QSize(18, 18));
    platform.pictureAnswers.push_back(dir.filePath(QStringLiteral("nothing.bmp")));
    dialog().Image1DblClick();
    EXPECT_EQ(platform.messages.size(), messages + 1);
}

TEST_F(DiagramWindow, ImagePropertiesKeysEnterConfirmsEscapeDoesNot)
{
    named<QAction>(form, "N38")->trigger();
    ASSERT_TRUE(dialog().isVisible());
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_TRUE(dialog().isVisible());
    // The line width takes one typed character; the arrows still reach 10.
    dialog().SpinEdit1->selectAll();
    QTest::keyClicks(dialog().SpinEdit1, QStringLiteral("10"));
    EXPECT_EQ(dialog().SpinEdit1->text(), QStringLiteral("1"));
    dialog().SpinEdit1->setValue(10);
    EXPECT_EQ(dialog().SpinEdit1->text(), QStringLiteral("10"));
    QTest::keyClick(dialog().SpinEdit1, Qt::Key_Return);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(form.diagram().canvasState.penWidth, 10);

    named<QAction>(form, "N38")->trigger();
    QTest::keyClick(dialog().CheckBox4, Qt::Key_Enter);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(DiagramWindow, ClipboardGetsTheWholeDiagramOrAMessage)
{
    form.exporter().ClipboardBMP1Click();
    EXPECT_FALSE(platform.clipboard.has_value());
    EXPECT_EQ(platform.messages.size(), 1u);

    rightClick(10, 10);
    form.diagram().N47Click();
    form.exporter().ClipboardBMP1Click();
    ASSERT_TRUE(platform.clipboard.has_value());
    EXPECT_EQ(platform.clipboard->size(), QSize(170, 150));

    const QImage kept = *platform.clipboard;
    form.diagram().N51Click();
    form.exporter().ClipboardBMP1Click();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(*platform.clipboard, kept);
}

TEST_F(DiagramWindow, NavigatorStretchesTheWindowsBoxesAndUnits)
{
    box(1, 850, 750);
    form.windows().navigator->SpeedButton6Click();
    EXPECT_EQ(dialog().units().h, 94);
    EXPECT_EQ(dialog().units().v, 83);
    EXPECT_EQ(boxAt(1), QPoint(940, 830));
}
