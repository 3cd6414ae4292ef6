#include "diagram/ui/DiagramController.h"
#include "list/ui/PersonListController.h"
#include "card/ui/CardController.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "dialogs/ui/TForm2.h"
#include "platform/RussianFileChooser.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QMenuBar>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

class MainWindow : public WindowTest {
protected:
    QAction* action(const char* name) { return named<QAction>(form, name); }
    QWidget* widget(const char* name) { return named<QWidget>(form, name); }
    void addPerson(int num, const char* fam, const char* name, const char* surname, bool male = true)
    {
        s.persons.insertRecord({num, fam, name, surname, "", male});
    }
};

} // namespace

TEST_F(MainWindow, StartsInListModeWithDesignedMenus)
{
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0"));
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 0 Связей: 0"));
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_TRUE(form.list().DBGrid1->isVisible());
    EXPECT_FALSE(form.card().panel10->isVisible());
    EXPECT_FALSE(form.diagram().ScrollBox1->isVisible());
    for (const char* shown : {"Panel1", "Panel2", "TabSet1", "StatusBar1", "BitBtn6"})
        EXPECT_TRUE(widget(shown)->isVisible()) << shown;
    EXPECT_TRUE(action("Gedcom1")->isEnabled() && action("txt1")->isEnabled());
    for (const char* disabled : {"N6", "N10", "N11", "N12", "MenuItem1", "MenuItem4"})
        EXPECT_FALSE(action(disabled)->isEnabled()) << disabled;
    for (const char* checked : {"N18", "N17", "N24", "N37", "N13", "N14", "N15"})
        EXPECT_TRUE(action(checked)->isChecked()) << checked;
    EXPECT_FALSE(action("N39")->isChecked());
    for (const char* hidden : {"N32", "N33", "N34"})
        EXPECT_FALSE(action(hidden)->isVisible()) << hidden;
    EXPECT_EQ(action("N29")->text(), QStringLiteral("Фильтр слева"));
    EXPECT_EQ(named<QTabBar>(form, "TabSet1")->count(), 3);
    EXPECT_EQ(named<QTabBar>(form, "TabSet1")->tabText(2), QStringLiteral("Графическая диаграмма"));
    ASSERT_EQ(form.width(), 602);
    EXPECT_EQ(widget("RxSpeedButton2")->x(), 351);
    EXPECT_EQ(widget("RxSpeedButton1")->x(), 473);
    EXPECT_EQ(widget("StatusBar1")->height(), 16);
    // Secondary windows exist, hidden, with their captions.
    EXPECT_FALSE(form.windows().navigator->isVisible());
    EXPECT_EQ(form.windows().navigator->windowTitle(), QStringLiteral("Навигатор"));
    EXPECT_EQ(form.windows().linkDialog->windowTitle(), QStringLiteral("Новая связь"));
}

TEST_F(MainWindow, CardIsRefusedOnAnEmptyStore)
{
    named<QTabBar>(form, "TabSet1")->setCurrentIndex(TForm1::CardMode); // as a click on the tab would
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Персонаж не создан"));
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_EQ(named<QTabBar>(form, "TabSet1")->currentIndex(), TForm1::ListMode);
    EXPECT_TRUE(form.list().DBGrid1->isVisible());
    // A double click on the empty grid acts like Enter.
    QTest::mouseDClick(form.list().DBGrid1->viewport(), Qt::LeftButton, {}, QPoint(40, 60));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Персонаж не создан"));

    // From the diagram, the refusal leaves "Удалить" hidden as it was there.
    action("N28")->trigger();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_FALSE(form.list().BitBtn6->isVisible());
    action("N27")->trigger();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    EXPECT_FALSE(form.list().BitBtn6->isVisible());
    EXPECT_TRUE(form.diagram().ScrollBox1->isVisible());
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST_F(MainWindow, ViewOptionsHoldInEveryMode)
{
    addPerson(1, "Иванов", "Иван", "Иванович");
    action("N17")->trigger();
    action("N24")->trigger();
    EXPECT_FALSE(action("N14")->isChecked());
    EXPECT_FALSE(action("N15")->isChecked());
    for (const char* tab : {"N27", "N28", "N26"}) {
        action(tab)->trigger();
        EXPECT_FALSE(named<QWidget>(form, "Panel1")->isVisible()) << tab;
        EXPECT_FALSE(named<QTabBar>(form, "TabSet1")->isVisible()) << tab;
    }
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_TRUE(form.list().Panel2->isVisible());

    // The filter panel follows its option only in list mode.
    action("N18")->trigger();
    EXPECT_FALSE(form.list().Panel2->isVisible());
    action("N18")->trigger();
    EXPECT_TRUE(form.list().Panel2->isVisible());
    action("N27")->trigger();
    EXPECT_FALSE(form.list().Panel2->isVisible());
    action("N18")->trigger(); // in card mode only the marks change
    EXPECT_FALSE(action("N13")->isChecked());
    action("N26")->trigger();
    EXPECT_FALSE(form.list().Panel2->isVisible());

    action("N37")->trigger();
    EXPECT_FALSE(named<QWidget>(form, "StatusBar1")->isVisible());
    EXPECT_FALSE(action("N37")->isChecked());
}

TEST_F(MainWindow, RightReleaseOpensTheViewPopupWhoseItemsToggleTheMenu)
{
    QTest::mouseRelease(named<QTabBar>(form, "TabSet1"), Qt::RightButton, {}, QPoint(30, 10));
    ASSERT_EQ(platform.popups.size(), 1u);
    EXPECT_EQ(platform.popups[0].menuName, QStringLiteral("RxPopupMenu1"));
    EXPECT_EQ(platform.popups[0].globalPos, named<QTabBar>(form, "TabSet1")->mapToGlobal(QPoint(30, 10)));
    QTest::mouseRelease(form.list().Panel2, Qt::RightButton, {}, QPoint(5, 7));
    EXPECT_EQ(platform.popups.back().globalPos, form.list().Panel2->mapToGlobal(QPoint(5, 7)));
    QTest::mouseRelease(form.list().DBGrid1->viewport(), Qt::RightButton, {}, QPoint(5, 7));
    EXPECT_EQ(platform.popups.size(), 2u);

    action("N14")->trigger();
    EXPECT_FALSE(action("N14")->isChecked());
    EXPECT_FALSE(action("N17")->isChecked());
    EXPECT_FALSE(named<QWidget>(form, "Panel1")->isVisible());
    action("N14")->trigger();
    EXPECT_TRUE(action("N17")->isChecked());
    EXPECT_TRUE(named<QWidget>(form, "Panel1")->isVisible());
}

TEST_F(MainWindow, RecentListKeepsTheLastTenNewestFirst)
{
    for (int n = 11; n >= 1; --n)
        addPerson(n, "Фам", qPrintable(QStringLiteral("Имя%1").arg(n)), "Отч");
    for (int n = 1; n <= 11; ++n) {
        ASSERT_TRUE(s.persons.locate(PersonField::num, n));
        form.list().DBGrid1Open();
        ASSERT_EQ(form.mode(), TForm1::CardMode);
        form.selectTab(TForm1::ListMode);
    }
    EXPECT_EQ(form.recentNumbers(), (QStringList{"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}));
    EXPECT_EQ(form.recentNames().first(), QStringLiteral("Имя11 Отч Фам"));

    // Opening a card already listed keeps its place.
    s.persons.locate(PersonField::num, 5);
    form.selectTab(TForm1::CardMode);
    EXPECT_EQ(form.recentNumbers().indexOf("5"), 6);
    form.selectTab(TForm1::ListMode);

    // An entry opens its person's card.
    QAction* entry = named<QMenu>(form, "RxPopupMenu5")->actions().at(3); // person 8
    entry->trigger();
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 8);

    // "Новый" empties both menus.
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);
    action("N2")->trigger();
    EXPECT_TRUE(form.recentNumbers().isEmpty());
    EXPECT_TRUE(form.recentNames().isEmpty());
    EXPECT_EQ(form.mode(), TForm1::ListMode);
}

TEST_F(MainWindow, FilterSideAndNavigatorOption)
{
    QAction* side = action("N29");
    side->trigger();
    EXPECT_EQ(side->text(), QStringLiteral("Фильтр справа"));
    EXPECT_LT(form.list().Panel2->x(), named<QWidget>(form, "clientArea")->x());
    side->trigger();
    EXPECT_EQ(side->text(), QStringLiteral("Фильтр слева"));
    EXPECT_GT(form.list().Panel2->x(), named<QWidget>(form, "clientArea")->x());

    QAction* navigator = action("N39");
    navigator->trigger();
    EXPECT_TRUE(navigator->isChecked());
    EXPECT_FALSE(form.windows().navigator->isVisible());
    action("N28")->trigger();
    EXPECT_TRUE(form.windows().navigator->isVisible());
    action("N26")->trigger();
    EXPECT_FALSE(form.windows().navigator->isVisible());
    action("N28")->trigger();
    form.windows().navigator->close();
    EXPECT_FALSE(navigator->isChecked());
}

TEST_F(MainWindow, NewInDiagramModeEmptiesTheTreeAndStays)
{
    addPerson(1, "А", "Б", "В");
    s.links.insertRecord({1, 1, 2});
    s.diagram.insertRecord({2, 10, 10, "А", "Б В", 1, false});
    s.selection.insertRecord({1, 10, 10, 2});
    s.names.insertRecord({"Церковное", true, "А Б В", 1});
    form.setCountsText(1, 1);
    action("N28")->trigger();
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);  // the typed tree is not kept
    action("N2")->trigger();
    EXPECT_EQ(form.mode(), TForm1::DiagramMode);
    for (RecordTable* t : {&s.persons, &s.links, &s.diagram, &s.selection, &s.names})
        EXPECT_TRUE(t->isEmpty()) << t->tableName().toStdString();
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 1 Связей: 1"));
    EXPECT_EQ(caption(), TForm1::applicationTitle());
}

TEST_F(MainWindow, LinkPickCompletesWithASpouseLinkAndALine)
{
    addPerson(2, "Петрова", "Мария", "Ивановна", false);
    addPerson(1, "Петров", "Иван", "Петрович");
    s.diagram.insertRecord({2, 100, 100, "Петров", "Иван Петрович", 1, false});
    s.diagram.insertRecord({1, 200, 100, "Петрова", "Мария Ивановна", 2, false});
    // Person 1 asked for a partner of this kind; person 2 is then opened from the list.
    auto pick = [&](TForm2::Choice choice) {
        form.windows().linkDialog->setChoice(choice);
        form.windows().linkDialog->pickingLinkPartner = true;
        form.windows().linkDialog->linkPartner = 1;
        s.persons.locate(PersonField::num, 2);
        form.list().DBGrid1Open();
    };
    form.HideMainMenu();
    pick(TForm2::Spouse);
    EXPECT_EQ(form.mode(), TForm1::CardMode);
    EXPECT_FALSE(form.windows().linkDialog->pickingLinkPartner);
    EXPECT_TRUE(named<QMenuBar>(form, "MainMenu1")->isVisible());
    EXPECT_EQ(s.persons.asInteger(PersonField::num), 1);
    EXPECT_EQ(linkTriples(s.links), (QList<QList<int>>{{1, 2, LinkKind::Spouses}}));
    ASSERT_TRUE(s.diagram.locate(DiagramField::type, DiagramRowType::Line));
    EXPECT_EQ((QList<int>{s.diagram.asInteger(DiagramField::x), s.diagram.asInteger(DiagramField::y),
                          s.diagram.asInteger(DiagramField::owner), int(s.diagram.asBoolean(DiagramField::ischecked))}),
              (QList<int>{1, 2, -1, 0}));

    // "Родителя": the opened person becomes the parent; no line without both boxes.
    s.diagram.emptyTable();
    form.selectTab(TForm1::ListMode);
    pick(TForm2::Parent);
    EXPECT_EQ(linkTriples(s.links), (QList<QList<int>>{{2, 1, LinkKind::ParentOf}, {1, 2, LinkKind::Spouses}}));
    EXPECT_TRUE(s.diagram.isEmpty());
}

TEST_F(MainWindow, CardPanelLayoutFollowsTheWindowSize)
{
    form.resize(800, 600);
    QCoreApplication::processEvents();
    const int w = (form.card().panel10->width() - form.card().DBGrid2->width() - 20) / 2;
    const int h = (form.card().panel10->height() - form.card().DBGrid4->height() - 20) / 2;
    EXPECT_EQ(form.card().DBGrid2->width(), 165);
    EXPECT_EQ(form.card().DBGrid5->width(), w);
    EXPECT_EQ(form.card().DBGrid6->x(), w + 16);
    EXPECT_EQ(form.card().DBGrid3->height(), h);
    EXPECT_EQ(form.card().DBGrid5->y(), h + form.card().DBGrid4->height() + 10);
    EXPECT_EQ(form.card().DBGrid6->height(), h);
    EXPECT_TRUE(form.diagram().paintEnabled);
}

TEST_F(MainWindow, FileAndHelpCommands)
{
    action("N23")->trigger();
    action("N22")->trigger();
    EXPECT_EQ(platform.printerSetups, 1);
    EXPECT_EQ(platform.printDialogs, 1);
    action("N20")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, QStringLiteral("О программе"));
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("Арболитус")));
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("1.0")));


    action("N7")->trigger();
    EXPECT_EQ(platform.quits, 1);
}

TEST(MainWindowStart, MissingPicturesAreReportedOnceAndReplaced)
{
    QTemporaryDir empty;
    const QByteArray saved = qgetenv("ARBOLITUS_DAT");
    qputenv("ARBOLITUS_DAT", empty.path().toUtf8());
    ScriptedPlatform platform;
    TForm1 form(platform);
    qputenv("ARBOLITUS_DAT", saved);
    form.reportMissingPictures();
    form.reportMissingPictures();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("boy2.bmp")));
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("girl2.bmp")));
    EXPECT_EQ(form.pictures().femaleInverted.size(), QSize(18, 18));  // the built-ins stand in
}

TEST(MainWindowStart, VersionAndHelpOptions)
{
    const ProcessResult version = runApplication({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.trimmed(), QStringLiteral("Арболитус 1.0"));
    EXPECT_TRUE(runApplication({QStringLiteral("--help")}).out.contains(QStringLiteral("--version")));
}

TEST(Translations, QtOwnDialogsSpeakRussian)
{
    QInputDialog input;
    input.setLabelText(QStringLiteral("Введите число поколений:"));
    input.show();
    auto* buttons = input.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));

    QMessageBox question(QMessageBox::Question, QStringLiteral("?"), QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));

    // Qt's own file chooser: columns, sizes and type names, whatever the system's locale.
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Предки"));
    writeFile(dir.filePath(QStringLiteral("семья.png")), QByteArray(2000, 'x'));
    QFileDialog chooser(nullptr, QStringLiteral("?"), dir.path());
    speakRussian(chooser);
    chooser.setViewMode(QFileDialog::Detail);
    chooser.show();
    auto* view = chooser.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_TRUE(view);
    QAbstractItemModel* files = view->model();
    QStringList columns;
    for (int c = 0; c < files->columnCount(); ++c)
        columns << files->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(columns, (QStringList{"Имя", "Размер", "Тип", "Дата изменения"}));
    QTRY_COMPARE(files->rowCount(view->rootIndex()), 2);
    QStringList kinds, sizes;
    for (int r = 0; r < 2; ++r) {
        kinds << files->index(r, 2, view->rootIndex()).data().toString();
        sizes << files->index(r, 1, view->rootIndex()).data().toString();
    }
    kinds.sort();
    EXPECT_EQ(kinds, (QStringList{"Изображение PNG", "Папка"}));
    sizes.sort();
    EXPECT_EQ(sizes, (QStringList{"", "1,95 КБ"}));
    for (const auto& [bytes, shown] : std::initializer_list<std::pair<qint64, const char*>>{
             {0, "0 байт"}, {1023, "1023 байт"}, {1024, "1,00 КБ"}, {150 * 1024, "150 КБ"},
             {qint64(12.3 * 1024 * 1024), "12,3 МБ"}, {qint64(5) << 40, "5,00 ТБ"}, {qint64(3000) << 40, "3000 ТБ"}})
        EXPECT_EQ(russianDataSize(bytes), QString::fromUtf8(shown));
    EXPECT_EQ(QLocale().monthName(1), QStringLiteral("января"));
}
