#include "list/ui/PersonListController.h"
#include "card/ui/CardController.h"
#include "gedcom/ui/ImportController.h"
#include "support/TestHelpers.h"

#include <QTableView>
#include <QTemporaryDir>

namespace {

const QByteArray family = "0 HEAD\n1 CHAR UTF-8\n"
                          "0 @I1@ INDI\n1 NAME Иван Петрович /Сидоров/\n1 SEX M\n"
                          "0 @I2@ INDI\n1 NAME Анна Ивановна /Сидорова/\n1 SEX F\n"
                          "0 @I3@ INDI\n1 NAME Пётр\n1 BIRT\n2 DATE 1950\n"
                          "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                          "0 TRLR\n";

class ImportWindow : public WindowTest {
protected:
    QString write(const QString& name, const QByteArray& content) { return writeFile(dir.filePath(name), content); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ImportWindow, MenuImportFillsListCardCaptionAndCounts)
{
    form.selectTab(TForm1::CardMode);  // refused on an empty store; the import goes to the list anyway
    platform.messages.clear();
    platform.fileAnswers.push_back(write(QStringLiteral("семья.ged"), family));
    form.importer().N3Click();
    EXPECT_EQ(platform.fileTitles, QStringList{QStringLiteral("Выберите файл для импорта")});
    EXPECT_EQ(platform.fileSuffixes, QStringList{QStringLiteral("ged")});
    EXPECT_EQ(form.mode(), TForm1::ListMode);
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: семья.ged"));
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 3 Связей: 3"));
    EXPECT_EQ(form.list().DBGrid1->model()->rowCount(), 3);
    // One summary of what was read, once the list is shown.
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Импорт из файла «семья.ged»: персонажей 3, связей 3, событий 1, "
                                                     "имён 0, комментариев 0, медиафайлов 0."));
    // The card of the first person is built; a person without SEX has it unknown.
    EXPECT_EQ(gridTexts(form.card().DBGrid2), (QStringList{"ДОЧЬ:  Пётр", "ЖЕНА:  Анна"}));
}

TEST_F(ImportWindow, CancelledDialogAndBadFileStillRunTheEndSteps)
{
    s.persons.insertRecord({5, "Кузнецов", "Олег", ""});
    form.importer().N3Click();  // cancelled
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 5 Связей: 0"));
    EXPECT_EQ(caption(), TForm1::applicationTitle());
    EXPECT_FALSE(s.persons.controlsDisabled());

    platform.fileAnswers.push_back(write(QStringLiteral("bad.ged"), "0 @I1@ INDI\n0 @I2@ INDI\n1 NAME Яков\nA B\n"));
    form.importer().N3Click();
    ASSERT_EQ(platform.messages.size(), 2u);  // the error, then the summary of what was read before it
    EXPECT_EQ(platform.messages.front().text, QStringLiteral("Строка 4 файла bad.ged: 'A' не является целым числом"));
    EXPECT_TRUE(platform.lastMessage().startsWith(QStringLiteral("Импорт из файла «bad.ged»: персонажей 1,")));
    EXPECT_EQ(caption(), TForm1::applicationTitle());
    EXPECT_EQ(form.list().DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(form.statusText(), QStringLiteral("Персонажей: 7 Связей: 0"));
    EXPECT_FALSE(s.persons.controlsDisabled());

    platform.fileAnswers.push_back(dir.filePath(QStringLiteral("нет.ged")));
    form.importer().N3Click();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_TRUE(platform.lastMessage().startsWith(QStringLiteral("Не удалось открыть файл нет.ged")));
    EXPECT_EQ(s.persons.recordCount(), 2);
}

TEST_F(ImportWindow, BatchImportsAndDumpsTablesWithoutDisplay)
{
    const QString path = write(QStringLiteral("f.ged"), family);
    const QString tabbed = write(QStringLiteral("t.ged"), "0 @I1@ INDI\n1 BIRT\n2 PLAC a\tb\\c\n");
    ProcessResult r = runBatchProcess({"--import", path, "--import", tabbed, "--dump", "persons", "--dump", "links"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("# persons"));
    EXPECT_EQ(lines[1], QStringLiteral("num\tfam\tname\tsurname\tsex\tbirth_date\tbirth_place\tdeath_date\tdeath_place\tsexnotset"));
    EXPECT_EQ(lines[2], QStringLiteral("1\tСидоров\tИван\tПетрович\tTrue\t\t\t\t\t"));
    EXPECT_EQ(lines[4], QStringLiteral("3\t\tПётр\t\tFalse\t1950\t\t\t\tTrue"));
    EXPECT_EQ(lines[5], QStringLiteral("4\t\t\t\tFalse\t\ta\\tb\\\\c\t\t\tTrue"));
    EXPECT_EQ(lines[6], QStringLiteral("# links"));
    QStringList links = lines.mid(8, 3);
    links.sort();
    EXPECT_EQ(links, (QStringList{"1\t2\t1", "1\t3\t2", "2\t3\t2"}));
    // Each import's summary goes to standard error; the exit status stays 0.
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Импорт из файла «f.ged»: персонажей 3, связей 3,"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Импорт из файла «t.ged»: персонажей 1,")));

    // A failing step is told on standard error; the later steps still run.
    r = runBatchProcess({"--import", dir.filePath(QStringLiteral("нет.ged")), "--dump", "people", "--dump", "notes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("нет.ged")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("people")));
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("# notes\n")));
}
