// The window driven from the keyboard, as a user moves through it: the list's
// keys, dialogs that come to the front, and views that keep what matters in sight.
#include "autotree/ui/TreeBuildController.h"
#include "card/ui/CardController.h"
#include "card/ui/TForm3.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "dialogs/ui/Tdateform.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

namespace {

class Keyboard : public WindowTest {
protected:
    Keyboard()
    {
        for (int num = 1; num <= 6; ++num)
            s.persons.insertRecord({num, QStringLiteral("Фам%1").arg(num), QStringLiteral("Имя%1").arg(num), "",
                                    FieldValue(), true, "", "", "", ""});
        form.list().Button1Click();
    }
    ~Keyboard() override
    {
        for (QWidget* w : std::initializer_list<QWidget*>{form.windows().dateDialog.get(),
                                                          form.windows().nameDialog.get(),
                                                          form.windows().eventDialog.get(),
                                                          form.windows().noteDialog.get()})
            w->hide();
    }

    QTableView* grid() { return form.list().DBGrid1; }
    int cardPerson() { return s.persons.asInteger(PersonField::num); }
    // The list shown with its first line current, as after an import.
    void backToTheFirstLine()
    {
        form.selectTab(TForm1::ListMode);
        s.persons.first();
        QApplication::setActiveWindow(&form);
        grid()->setFocus();
        ASSERT_TRUE(grid()->hasFocus());
    }
    void press(const QList<QPair<Qt::Key, Qt::KeyboardModifiers>>& keys)
    {
        for (const auto& [key, modifiers] : keys)
            QTest::keyClick(grid(), key, modifiers);
    }
    // The line the grid highlights, whatever column the current cell is in.
    int highlightedLine() { return grid()->selectionModel()->currentIndex().row(); }
    QString highlightedNumber()
    {
        return QStringLiteral("Фам%1").arg(highlightedLine() + 1);
    }
    // The columns show the person's name and dates; the first column is the name.
    bool nameColumnInSight()
    {
        return grid()->horizontalScrollBar()->value() == 0 && grid()->columnViewportPosition(0) == 0;
    }
};

using Keys = QList<QPair<Qt::Key, Qt::KeyboardModifiers>>;
constexpr Qt::KeyboardModifiers none = Qt::NoModifier;

} // namespace

TEST_F(Keyboard, EnterOpensTheHighlightedPersonAndEveryCardCommandActsOnHim)
{
    const struct {
        const char* what;
        Keys keys;
        int person;
    } cases[] = {
        {"Down Down End", {{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_End, none}}, 3},
        {"Ctrl+End", {{Qt::Key_End, Qt::ControlModifier}}, 6},
        {"Right x4", {{Qt::Key_Right, none}, {Qt::Key_Right, none}, {Qt::Key_Right, none}, {Qt::Key_Right, none}}, 1},
        {"Down End Up", {{Qt::Key_Down, none}, {Qt::Key_End, none}, {Qt::Key_Up, none}}, 1},
        {"PageDown Home", {{Qt::Key_PageDown, none}, {Qt::Key_Home, none}}, 6},
        {"End Ctrl+Home Down", {{Qt::Key_End, none}, {Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_Down, none}}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        backToTheFirstLine();
        press(c.keys);
        EXPECT_EQ(highlightedLine() + 1, c.person);
        QTest::keyClick(grid(), Qt::Key_Return);
        ASSERT_EQ(form.mode(), TForm1::CardMode);
        EXPECT_EQ(cardPerson(), c.person);
        QTableView* names4 = form.card().DBGrid4;
        // A card command: the name dialog opened on the main name shows this person's name.
        QTest::mouseDClick(names4->viewport(), Qt::LeftButton, {},
                           names4->visualRect(names4->model()->index(0, 0)).center());
        Tnames_form& names = *form.windows().nameDialog;
        ASSERT_TRUE(names.isVisible());
        EXPECT_EQ(names.Edit1->text(), QStringLiteral("Фам%1").arg(c.person));
        names.hide();
        form.selectTab(TForm1::ListMode);
        EXPECT_EQ(highlightedLine() + 1, c.person) << "the list comes back on the person whose card was shown";
        EXPECT_TRUE(nameColumnInSight());
    }
}

TEST_F(Keyboard, APickFinishedFromTheKeyboardTakesTheHighlightedPersonWithTheNamesInSight)
{
    backToTheFirstLine();
    press({{Qt::Key_End, none}});
    QTest::keyClick(grid(), Qt::Key_Return);  // the card of person 1
    CardController& card = form.card();
    rightClick(card.DBGrid3);
    card.N57->trigger();  // a new event
    Tevents_form& events = *form.windows().eventDialog;
    ASSERT_TRUE(events.isVisible());
    events.Button3->click();  // "+": the list, for a participant
    ASSERT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_TRUE(nameColumnInSight());
    QApplication::setActiveWindow(&form);
    grid()->setFocus();
    press({{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_End, none}});
    QTest::keyClick(grid(), Qt::Key_Return);
    ASSERT_TRUE(events.isVisible());
    QList<int> participants = columnIntegers(s.eventDialogParticipants, DraftParticipantField::owner);
    std::sort(participants.begin(), participants.end());
    EXPECT_EQ(participants, (QList<int>{1, 4}));
    EXPECT_EQ(cardPerson(), 1);
    events.Button6->click();
}

TEST_F(Keyboard, DialogsComeToTheFrontEveryTimeAndTheNoteDialogClosesOnEscape)
{
    backToTheFirstLine();
    form.list().DBGrid1Open();
    rightClick(form.card().DBGrid3);
    form.card().N57->trigger();
    Tevents_form& events = *form.windows().eventDialog;
    Tdateform& dates = *form.windows().dateDialog;
    for (int time = 1; time <= 3; ++time) {
        SCOPED_TRACE(time);
        events.Button1->click();
        ASSERT_TRUE(dates.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &dates);
        QTest::keyClick(&dates, Qt::Key_Escape);
        EXPECT_FALSE(dates.isVisible());
    }
    events.Button6->click();

    // Escape in the note dialog is "Отмена": a new comment is not stored.
    TForm3& notes = *form.windows().noteDialog;
    notes.showNew(QStringLiteral("Черновик"));
    ASSERT_TRUE(notes.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &notes);
    notes.RxRichEdit1->setPlainText(QStringLiteral("текст"));
    QTest::keyClick(notes.RxRichEdit1, Qt::Key_Escape);
    EXPECT_FALSE(notes.isVisible());
    EXPECT_TRUE(s.notes.isEmpty());
}

TEST_F(Keyboard, ATreeBuiltFromAnyModeIsCentred)
{
    for (int child = 2; child <= 6; ++child)
        s.links.insertRecord({1, child, LinkKind::ParentOf});
    form.windows().imageProperties->setUnits({400, 300});  // wider and taller than the window
    DiagramView& view = *form.diagram().ScrollBox1;
    for (int mode : {TForm1::ListMode, TForm1::CardMode, TForm1::DiagramMode}) {
        SCOPED_TRACE(mode);
        s.persons.locate(PersonField::num, 1);
        form.selectTab(mode);
        form.trees().N35Click();  // two-way
        ASSERT_EQ(form.mode(), TForm1::DiagramMode);
        EXPECT_EQ(view.horzPosition(), (view.horzRange() - view.clientWidth()) / 2);
        EXPECT_EQ(view.vertPosition(), (view.vertRange() - view.clientHeight()) / 2);
        EXPECT_GT(view.horzRange(), view.clientWidth());
        EXPECT_GT(view.vertRange(), view.clientHeight());
    }
}
