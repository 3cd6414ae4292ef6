#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tdateform.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "list/ui/FilterPanel.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

class EntryDialogs : public WindowTest {
protected:
    ~EntryDialogs() override
    {
        for (QWidget* w : std::initializer_list<QWidget*>{dates(), names(), events(), link()})
            w->hide();
    }

    Tdateform* dates() { return form.windows().dateDialog.get(); }
    Tnames_form* names() { return form.windows().nameDialog.get(); }
    Tevents_form* events() { return form.windows().eventDialog.get(); }
    TForm2* link() { return form.windows().linkDialog.get(); }
    CardController& card() { return form.card(); }

    void addPerson(int num, const char* fam, const char* name, bool male = true)
    {
        s.persons.insertRecord({num, fam, name, "", FieldValue(), male, "", "", "", ""});
    }
    void pickInList(int num)
    {
        s.persons.locate(PersonField::num, num);
        form.list().DBGrid1Open();
    }
    void escapeInList() { QTest::keyClick(form.list().DBGrid1, Qt::Key_Escape); }
    bool menuBarShown() { return named<QMenuBar>(form, "MainMenu1")->isVisible(); }
};

} // namespace

TEST_F(EntryDialogs, DateDialogComposesAsTheFieldsChangeAndDeliversByMode)
{
    FilterPanel& panel = *form.list().filterPanel;
    panel.Button3->click();
    ASSERT_TRUE(dates()->isVisible());
    EXPECT_FALSE(dates()->Button1->isEnabled());  // in list mode, until the qualifier is pressed
    dates()->RxSpeedButton1->click();
    EXPECT_TRUE(dates()->Button1->isEnabled());
    EXPECT_EQ(platform.popups.back().menuName, QStringLiteral("RxPopupMenu1"));

    dates()->N4->trigger();  // "МЕЖДУ"
    EXPECT_TRUE(dates()->SpinEdit6->isEnabled());
    EXPECT_TRUE(dates()->Label1->isVisible());
    EXPECT_EQ(dates()->windowTitle(), QStringLiteral("Укажите дату: МЕЖДУ 1.1.1900  И 1.1.2000"));
    dates()->SpinEdit5->setValue(0);
    EXPECT_EQ(dates()->windowTitle(), QStringLiteral("Укажите дату: МЕЖДУ 1.1.1900  И 2000"));
    dates()->N1->trigger();  // back to "В": the second date is off, the connector keeps its text
    EXPECT_FALSE(dates()->SpinEdit4->isEnabled());
    EXPECT_FALSE(dates()->Label1->isVisible());
    EXPECT_EQ(dates()->Label1->text(), QStringLiteral("И"));
    EXPECT_EQ(dates()->windowTitle(), QStringLiteral("Укажите дату: В 1.1.1900 "));
    // A cleared field, even a disabled one, empties the phrase; typing letters is refused.
    dates()->SpinEdit6->findChild<QLineEdit*>()->clear();
    EXPECT_EQ(dates()->ComposeDatePhrase(), QString());
    dates()->SpinEdit6->setValue(2000);
    QTest::keyClicks(dates()->SpinEdit3->findChild<QLineEdit*>(), QStringLiteral("abc"));
    EXPECT_EQ(dates()->SpinEdit3->value(), 1900);

    dates()->N5->trigger();  // "ОКОЛО"
    dates()->SpinEdit1->setValue(0);
    dates()->SpinEdit3->setValue(1850);
    dates()->Button1->click();
    EXPECT_FALSE(dates()->isVisible());
    EXPECT_EQ(panel.Button3->text(), QStringLiteral("ОКОЛО 1850 "));
    EXPECT_EQ(dates()->result(), QStringLiteral("ОКОЛО 1850 "));

    // The close box and "Отмена" empty the result and deliver nothing.
    panel.Button3->click();
    dates()->close();
    EXPECT_EQ(dates()->result(), QString());
    EXPECT_EQ(panel.Button3->text(), QStringLiteral("ОКОЛО 1850 "));
}

TEST_F(EntryDialogs, MenusEnableByTheFocusedGridAndWhatItHolds)
{
    addPerson(1, "Петров", "Иван");
    openCard(1);
    rightClick(card().DBGrid3);
    for (QAction* a : {card().N56, card().N58, card().N64, card().N65})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(card().N57->isEnabled());

    rightClick(card().DBGrid4, 0);
    EXPECT_TRUE(card().N56->isEnabled());
    EXPECT_FALSE(card().N58->isEnabled());  // only the main name
    s.names.insertRecord({"Церковное", true, "Петров Иоанн ", 1, false});
    card().BuildCard(1);
    rightClick(card().DBGrid4, 0);
    EXPECT_TRUE(card().N58->isEnabled());
    // "Удалить" on the main name refuses; the main name stays.
    card().N58->trigger();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Основное имя удалить нельзя"));
    rightClick(card().DBGrid4, 1);
    card().N58->trigger();
    EXPECT_TRUE(s.names.isEmpty());
    EXPECT_EQ(s.cardNames.recordCount(), 1);

    rightClick(card().DBGrid2);
    EXPECT_FALSE(card().N59->isEnabled());  // a single person
    EXPECT_FALSE(card().N60->isEnabled());
    EXPECT_TRUE(card().N67->isVisible());
    EXPECT_TRUE(card().N72->isVisible());
    EXPECT_FALSE(card().N72->isEnabled());
    EXPECT_FALSE(card().N73->isEnabled());
    card().DBGrid4->setFocus();
    card().PopupMenu4Popup();
    EXPECT_FALSE(card().N67->isVisible());
    EXPECT_FALSE(card().N66->isVisible());
}

TEST_F(EntryDialogs, NamesTypedOnTheCardAreKeptAndShownInTheList)
{
    form.list().BitBtn5Click();  // a new person, "№1"
    ASSERT_EQ(form.mode(), TForm1::CardMode);
    QTest::mouseDClick(card().DBGrid4->viewport(), Qt::LeftButton, {},
                       card().DBGrid4->visualRect(card().DBGrid4->model()->index(0, 0)).center());
    ASSERT_TRUE(names()->isVisible());
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(names()->Edit1->text(), QString());
    EXPECT_EQ(names()->Edit2->text(), QStringLiteral("№1"));
    names()->Edit1->setText(QStringLiteral("Петров"));
    names()->Edit2->setText(QStringLiteral("Иван"));
    names()->Edit3->setText(QStringLiteral("Ильич"));
    names()->RadioGroup1Click(0);  // the user cannot choose "Неизвестен"
    EXPECT_EQ(names()->RadioGroup1->itemIndex(), 1);
    names()->Button1->click();
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(s.persons.asString(PersonField::fam), QStringLiteral("Петров"));
    EXPECT_EQ(s.persons.asString(PersonField::surname), QStringLiteral("Ильич"));
    QAbstractItemModel* list = form.list().DBGrid1->model();
    EXPECT_EQ(list->index(0, 0).data().toString(), QStringLiteral("Иван Ильич Петров"));

    // An added name, then a new main name, survive the next build of the card.
    rightClick(card().DBGrid4, 0);
    card().N57->trigger();
    EXPECT_EQ(names()->ComboBox1->currentText(), QStringLiteral("Альтернативное"));
    names()->ComboBox1->setCurrentText(QStringLiteral(" Основное"));
    names()->Edit1->setText(QStringLiteral("Петров-Водкин"));
    names()->Edit2->setText(QStringLiteral("Иван"));
    names()->Button1->click();
    openCard(1);
    EXPECT_EQ(gridTexts(card().DBGrid4, 2),
              (QStringList{QStringLiteral("Петров-Водкин Иван "), QStringLiteral("Петров Иван Ильич")}));
    EXPECT_EQ(gridTexts(card().DBGrid4, 0), (QStringList{QStringLiteral(" Основное"), QStringLiteral("Альтернативное")}));
}

TEST_F(EntryDialogs, AnEventWithADateAndAPickedParticipantIsStored)
{
    addPerson(1, "Петров", "Иван");
    addPerson(2, "Сидорова", "Анна", false);
    openCard(1);
    rightClick(card().DBGrid3);
    card().N57->trigger();
    ASSERT_TRUE(events()->isVisible());
    EXPECT_EQ(columnIntegers(s.eventDialogParticipants, DraftParticipantField::owner), (QList<int>{1}));

    // "+": the list, without menus; opening a person brings the dialog back on the card.
    events()->Button3->click();
    EXPECT_FALSE(events()->isVisible());
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_FALSE(menuBarShown());
    EXPECT_EQ(form.statusText(), QStringLiteral("Укажите персонаж для добавления к участникам события"));
    pickInList(2);
    EXPECT_TRUE(events()->isVisible());
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 1);
    EXPECT_EQ(s.eventDialogParticipants.recordCount(), 2);

    // Escape during a second pick: back on the card, the dialog holding what it held.
    events()->Button3->click();
    escapeInList();
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_TRUE(menuBarShown());
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 2 Связей: 0"));
    ASSERT_TRUE(events()->isVisible());
    EXPECT_FALSE(events()->pickingParticipant);
    EXPECT_EQ(s.eventDialogParticipants.recordCount(), 2);

    // A role typed for the selected participant, a date from the date dialog, and OK.
    s.eventDialogParticipants.first();
    events()->ComboBox3->setEditText(QStringLiteral("Невеста"));
    events()->Button1->click();
    ASSERT_TRUE(dates()->isVisible());
    EXPECT_FALSE(events()->isEnabled());
    dates()->N1->trigger();
    dates()->Button1->click();
    EXPECT_EQ(events()->Button1->text(), dates()->result());
    EXPECT_TRUE(events()->isEnabled());
    events()->ComboBox2->setCurrentText(QString(200, QChar(u'ж')));
    events()->Button5->click();
    EXPECT_FALSE(events()->isVisible());
    ASSERT_EQ(s.events.recordCount(), 1);
    EXPECT_EQ(s.participants.recordCount(), 2);
    EXPECT_TRUE(s.participants.locate(ParticipantField::function, QStringLiteral("Невеста")));
    EXPECT_EQ(gridTexts(card().DBGrid3), (QStringList{QStringLiteral("Свадьба")}));

    // Editing shows the stored participants; a birth keeps only the card person.
    QTest::mouseDClick(card().DBGrid3->viewport(), Qt::LeftButton, {},
                       card().DBGrid3->visualRect(card().DBGrid3->model()->index(0, 0)).center());
    ASSERT_TRUE(events()->isVisible());
    EXPECT_EQ(s.eventDialogParticipants.recordCount(), 2);
    events()->ComboBox1->setCurrentText(QStringLiteral("Рождение"));
    EXPECT_FALSE(events()->Button3->isEnabled());
    EXPECT_EQ(columnIntegers(s.eventDialogParticipants, DraftParticipantField::owner), (QList<int>{1}));
    events()->Button5->click();
    EXPECT_EQ(s.events.recordCount(), 1);
    s.persons.locate(PersonField::num, 1);
    EXPECT_EQ(s.persons.asString(PersonField::birth_date), dates()->result());

    // An event without participants is refused, and the dialog stays open with what it holds.
    QTest::mouseDClick(card().DBGrid3->viewport(), Qt::LeftButton, {},
                       card().DBGrid3->visualRect(card().DBGrid3->model()->index(0, 0)).center());
    ASSERT_TRUE(events()->isVisible());
    events()->ComboBox1->setCurrentText(QStringLiteral("Крещение"));
    events()->Button4->click();
    ASSERT_TRUE(s.eventDialogParticipants.isEmpty());
    events()->Button5->click();
    EXPECT_EQ(platform.messages.back().text, QStringLiteral("Добавьте участника события"));
    EXPECT_TRUE(events()->isVisible());
    EXPECT_EQ(events()->ComboBox1->currentText(), QStringLiteral("Крещение"));
    events()->Button6->click();
    EXPECT_EQ(gridTexts(card().DBGrid3), (QStringList{QStringLiteral("Рождение")}));
    s.persons.locate(PersonField::num, 1);

    // "Удалить" takes the participation, the event with it, and the birth date.
    rightClick(card().DBGrid3, 0);
    card().N58->trigger();
    EXPECT_TRUE(s.events.isEmpty());
    EXPECT_EQ(s.persons.asString(PersonField::birth_date), QString());
}

TEST_F(EntryDialogs, LinksArePickedCancelledAndDeleted)
{
    addPerson(1, "Петров", "Иван");
    addPerson(3, "Петров", "Пётр");
    s.diagram.insertRecord({2, 0, 0, "", "", 1, false});
    s.diagram.insertRecord({2, 90, 0, "", "", 3, false});
    openCard(1);
    rightClick(card().DBGrid2);
    card().N59->trigger();
    ASSERT_TRUE(link()->isVisible());
    link()->setChoice(TForm2::Special);
    EXPECT_EQ(link()->choice(), TForm2::Parent);
    link()->setChoice(TForm2::Child);
    link()->Button1->click();
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    escapeInList();
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 1);
    EXPECT_TRUE(s.links.isEmpty());
    EXPECT_TRUE(menuBarShown());

    rightClick(card().DBGrid2);
    card().N59->trigger();
    EXPECT_EQ(link()->choice(), TForm2::Child);  // kept from the last showing
    link()->Button1->click();
    pickInList(3);
    EXPECT_EQ(gridTexts(card().DBGrid2), (QStringList{QStringLiteral(" СЫН:  Пётр")}));
    EXPECT_EQ(s.diagram.recordCount(), 3);

    rightClick(card().DBGrid2, 0);
    EXPECT_TRUE(card().N60->isEnabled());
    card().N60->trigger();
    EXPECT_TRUE(s.links.isEmpty());
    EXPECT_EQ(s.diagram.recordCount(), 2);
    openCard(1);
    EXPECT_TRUE(gridTexts(card().DBGrid2).isEmpty());
}

TEST_F(EntryDialogs, EscapeEndsTheDiagramPickAndRelativesAreAdded)
{
    addPerson(1, "Петрова", "Анна", false);
    form.selectTab(TForm1::DiagramMode);
    form.diagram().N48Click();
    ASSERT_TRUE(form.diagram().pickingFromList);
    escapeInList();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_FALSE(form.diagram().pickingFromList);
    EXPECT_TRUE(s.diagram.isEmpty());
    EXPECT_TRUE(menuBarShown());

    openCard(1);
    rightClick(card().DBGrid2);
    card().N67->trigger();  // "Добавить отца"
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 2);
    EXPECT_TRUE(s.persons.asBoolean(PersonField::sex));
    EXPECT_EQ(gridTexts(card().DBGrid2), (QStringList{QStringLiteral("ДОЧЬ:  Анна")}));
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 2 Связей: 1"));
    rightClick(card().DBGrid2);
    card().N71->trigger();  // "Добавить супруга" of a man: a woman
    EXPECT_FALSE(s.persons.asBoolean(PersonField::sex));
    EXPECT_EQ(gridTexts(card().DBGrid2), (QStringList{QStringLiteral(" МУЖ:  №2")}));
}
