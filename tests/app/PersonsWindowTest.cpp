#include "widgets/RadioGroup.h"
#include "list/ui/PersonListController.h"
#include "card/ui/CardController.h"
#include "list/ui/FilterPanel.h"
#include "support/TestHelpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

class PersonsWindow : public WindowTest {
protected:
    void addPerson(int num, const char* fam, const char* name, const char* surname, bool male = true)
    {
        s.persons.insertRecord({num, fam, name, surname, "", male});
    }
    QString shownName(int line) { return gridTexts(form.list().DBGrid1).value(line); }
    QString cardLine(int line) { return gridTexts(form.card().DBGrid2).value(line); }
    void click(const char* name) { named<QPushButton>(form, name)->click(); }
};

} // namespace

TEST_F(PersonsWindow, DisplayNamesFollowTheSelectionBeforeAnyApply)
{
    addPerson(2, "Яковлев", "Борис", "Ильич");
    addPerson(1, "Абрамов", "Юрий", "");
    FilterPanel& panel = *form.list().filterPanel;
    EXPECT_EQ(shownName(0), QStringLiteral("Юрий  Абрамов"));
    panel.RadioGroup2->setItemIndex(1);
    EXPECT_EQ(shownName(0), QStringLiteral("Абрамов Юрий "));
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), (QList<int>{1, 2}));

    // "Применить" sorts by the selected item; "Очистить" resets the selection only.
    panel.RadioGroup2->setItemIndex(2);
    click("Button1");
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), (QList<int>{2, 1}));
    panel.MaskEdit1->setText(QStringLiteral("x"));
    panel.Button3->setText(QStringLiteral("В 1900"));
    click("Button2");
    EXPECT_EQ(panel.RadioGroup2->itemIndex(), 0);
    EXPECT_EQ(panel.RadioGroup1->itemText(panel.RadioGroup1->itemIndex()), QStringLiteral("ЛЮБОЙ"));
    EXPECT_TRUE(panel.MaskEdit1->text().isEmpty());
    EXPECT_EQ(panel.Button3->text(), QStringLiteral("Указать"));
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), (QList<int>{2, 1}));

    for (QWidget* w : std::initializer_list<QWidget*>{panel.RadioGroup3, panel.RadioGroup1, panel.MaskEdit5,
                                                      panel.CheckBox1, panel.CheckBox2})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(panel.RadioGroup2->isEnabled());
    EXPECT_TRUE(panel.Button3->isEnabled());
}

TEST_F(PersonsWindow, AddingOpensTheNewCardFromListAndDiagram)
{
    click("BitBtn5");
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 1);
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 1 Связей: 0"));
    EXPECT_EQ(form.recentNumbers(), QStringList{"1"});
    EXPECT_EQ(gridTexts(form.card().DBGrid4, 2), QStringList{" №1 "});
    EXPECT_EQ(gridTexts(form.card().DBGrid4, 1), QStringList{"МУЖ"});

    form.selectTab(TForm1::DiagramMode);
    click("BitBtn5");
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 2);
    EXPECT_EQ(form.recentNumbers(), (QStringList{"2", "1"}));

    // AddPerson by itself stays in diagram mode.
    form.selectTab(TForm1::DiagramMode);
    EXPECT_EQ(form.list().AddPerson(), 3);
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 3 Связей: 0"));
}

TEST_F(PersonsWindow, DeletingInCardModeReturnsToTheList)
{
    addPerson(3, "", "Третий", "");
    addPerson(2, "", "Второй", "");
    addPerson(1, "", "Первый", "");
    s.links.insertRecord({1, 2, LinkKind::Spouses});
    s.links.insertRecord({2, 1, LinkKind::Spouses});
    s.links.insertRecord({3, 1, LinkKind::ParentOf});
    s.persons.locate(PersonField::num, 2);
    form.selectTab(TForm1::CardMode);
    click("BitBtn6");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_EQ(columnIntegers(s.persons, PersonField::num), (QList<int>{1, 3}));
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 3);  // the row that followed the removed one
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 2 Связей: 1"));

    click("BitBtn6");
    click("BitBtn6");
    EXPECT_TRUE(platform.messages.empty());
    click("BitBtn6");
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Нет записей в базе данных"));
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 0 Связей: 0"));
}

TEST_F(PersonsWindow, CardLinesOpenRelativesAndFeedTheRecentList)
{
    addPerson(2, "Иванов", "Пётр", "", true);
    addPerson(1, "Иванов", "Анна", "Петровна", false);
    s.links.insertRecord({2, 1, LinkKind::ParentOf});

    // A card built in list mode does not enter the recent list.
    form.card().BuildCard(2);
    EXPECT_TRUE(form.recentNumbers().isEmpty());

    s.persons.locate(PersonField::num, 1);
    form.selectTab(TForm1::CardMode);
    ASSERT_EQ(form.card().DBGrid2->model()->rowCount(), 1);
    EXPECT_EQ(cardLine(0), QStringLiteral("ОТЕЦ:  Пётр"));
    const QRect cell = form.card().DBGrid2->visualRect(form.card().DBGrid2->model()->index(0, 0));
    QTest::mouseClick(form.card().DBGrid2->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 2);
    EXPECT_EQ(cardLine(0), QStringLiteral("ДОЧЬ:  Анна"));
    EXPECT_EQ(form.recentNumbers(), (QStringList{"2", "1"}));

    // A number nobody has: the message, and the card stays.
    form.card().BuildCard(42);
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Персонаж не найден. "));
    EXPECT_EQ(cardLine(0), QStringLiteral("ДОЧЬ:  Анна"));
}

TEST_F(PersonsWindow, UpAndDownMoveTheCursorAndRebuildTheCard)
{
    click("BitBtn2");
    click("BitBtn3");  // an empty table: nothing happens
    EXPECT_TRUE(platform.messages.empty());

    addPerson(2, "", "Второй", "");
    addPerson(1, "", "Первый", "");
    form.selectTab(TForm1::CardMode);
    click("BitBtn2");
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 1);
    EXPECT_EQ(s.cardNames.asString(NameField::name), QStringLiteral(" Первый "));
    click("BitBtn3");
    EXPECT_EQ(s.cardNames.asString(NameField::name), QStringLiteral(" Второй "));
    click("BitBtn3");
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 2);
    EXPECT_TRUE(platform.messages.empty());
}
