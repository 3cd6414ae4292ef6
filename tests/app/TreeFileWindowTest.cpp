#include "autotree/ui/TreeBuildController.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "export/ui/ExportController.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "store/TableDump.h"
#include "support/TestHelpers.h"
#include "treefile/RecoveryCopy.h"
#include "treefile/TreeFile.h"

#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {

class TreeFileWindow : public WindowTest {
protected:
    QString file(const QString& name) { return dir.filePath(name); }
    void importFamily() { form.importer().importGedcomFile(writeFile(file(QStringLiteral("семья.ged")), pedigreeGedcom)); }
    QString dumps()
    {
        QString out;
        for (const TreeFileTable& t : treeFileTables())
            out += dumpTable(form.store().*t.table, QLatin1String(t.name));
        return out;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TreeFileWindow, SavingClearsTheMarkerThatChangesSet)
{
    EXPECT_FALSE(form.treeModified());
    importFamily();
    EXPECT_TRUE(form.treeModified());
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: семья.ged"));

    // "Сохранить" without a file asks for one, proposing the GEDCOM's name.
    platform.saveAnswers.push_back(file(QStringLiteral("семья.arbolitus")));
    named<QAction>(form, "SaveTree")->trigger();
    EXPECT_EQ(platform.saveProposals, QStringList{QStringLiteral("семья.arbolitus")});
    EXPECT_EQ(platform.fileSuffixes.last(), QStringLiteral("arbolitus"));
    EXPECT_FALSE(form.treeModified());
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: семья.arbolitus"));
    EXPECT_EQ(named<QMenu>(form, "RecentFiles")->actions().value(0)->text(), QStringLiteral("семья.arbolitus"));
    // Files made of the tree are proposed under the tree's name (both choosers cancelled here).
    form.exporter().Gedcom1Click();
    form.exporter().txt1Click();
    EXPECT_EQ(platform.saveProposals.mid(1), (QStringList{"семья.ged", "семья.txt"}));
    platform.saveProposals = platform.saveProposals.mid(0, 1);

    form.list().Button1Click();  // sorting is no change
    EXPECT_FALSE(form.treeModified());
    form.list().AddPerson();
    EXPECT_TRUE(form.treeModified());
    importFamily();  // the tree file's name stays in the caption
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: семья.arbolitus"));
    ASSERT_TRUE(form.saveTree());
    EXPECT_TRUE(platform.saveProposals.size() == 1);  // the file is known now
    EXPECT_FALSE(form.treeModified());
}

TEST_F(TreeFileWindow, UnsavedChangesAreAskedForAndCancelKeepsEverything)
{
    form.N2Click();  // nothing to lose: no question
    EXPECT_TRUE(platform.saveQuestions.isEmpty());
    importFamily();
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Cancel);
    form.N2Click();
    EXPECT_EQ(platform.saveQuestions, QStringList{QStringLiteral("Сохранить изменения в новом древе?")});
    EXPECT_EQ(form.store().persons.recordCount(), 7);

    // "Сохранить" whose chooser is cancelled: the application stays, with the tree.
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Save);
    form.N7Click();
    EXPECT_EQ(platform.quits, 0);
    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Cancel);
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());

    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);
    form.N2Click();
    EXPECT_EQ(form.store().persons.recordCount(), 0);
    EXPECT_FALSE(form.treeModified());
    EXPECT_EQ(caption(), TForm1::applicationTitle());
}

TEST_F(TreeFileWindow, OpeningBringsBackTablesDiagramAndSettings)
{
    importFamily();
    form.store().persons.locate(PersonField::num, 1);
    form.windows().imageProperties->setUnits({90, 70});
    form.windows().imageProperties->CheckBox7->setChecked(false);
    form.trees().MenuItem2Click();
    const QString before = dumps();
    const int horzRange = form.diagram().ScrollBox1->horzRange();
    form.exporter().ClipboardBMP1Click();
    const QImage bitmap = *platform.clipboard;
    platform.saveAnswers.push_back(file(QStringLiteral("древо #1.arbolitus")));
    ASSERT_TRUE(form.saveTreeAs());

    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);
    form.N2Click();
    form.windows().imageProperties->setUnits({85, 75});
    form.windows().imageProperties->CheckBox7->setChecked(true);
    platform.fileAnswers.push_back(file(QStringLiteral("древо #1.arbolitus")));
    named<QAction>(form, "OpenTree")->trigger();
    EXPECT_EQ(dumps(), before);
    EXPECT_EQ(form.store().persons.recNo(), 1);
    EXPECT_FALSE(form.treeModified());
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: древо #1.arbolitus"));
    EXPECT_EQ(form.diagram().diagramUnits().h, 90);
    EXPECT_FALSE(form.windows().imageProperties->CheckBox7->isChecked());
    EXPECT_EQ(form.diagram().ScrollBox1->horzRange(), horzRange);
    form.exporter().ClipboardBMP1Click();
    EXPECT_EQ(*platform.clipboard, bitmap);

    // A bad file changes nothing; a recent file that went away leaves the list.
    const QString text = writeFile(file(QStringLiteral("текст.arbolitus")), "не древо");
    form.list().AddPerson();
    const QString held = dumps();
    EXPECT_FALSE(form.loadTreeFile(text));
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("«текст.arbolitus»: это не файл древа")));
    EXPECT_EQ(dumps(), held);
    EXPECT_TRUE(form.treeModified());
    QFile::remove(file(QStringLiteral("древо #1.arbolitus")));
    named<QMenu>(form, "RecentFiles")->actions().value(0)->trigger();
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("не найден")));
    EXPECT_TRUE(named<QMenu>(form, "RecentFiles")->actions().isEmpty());
}

TEST(TreeFileBatch, SaveAndOpenStepsRoundTripAndTellFailures)
{
    QTemporaryDir dir;
    const QString gedcom = writeFile(dir.filePath(QStringLiteral("f.ged")), pedigreeGedcom);
    const QString tree = dir.filePath(QStringLiteral("t.arbolitus"));
    const QStringList dumps = {"--dump", "persons", "--dump", "links", "--dump", "diagram"};
    const ProcessResult built = runBatchProcess(QStringList{"--import", gedcom, "--root", "1", "--build", "ascending",
                                                          "--save", tree} + dumps);
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    const ProcessResult opened = runBatchProcess(QStringList{"--open", tree} + dumps);
    EXPECT_EQ(opened.exitCode, 0) << opened.err.toStdString();
    EXPECT_EQ(opened.out, built.out);
    const ProcessResult failed = runBatchProcess({"--open", dir.filePath(QStringLiteral("нет.arbolitus")), "--save",
                                                dir.filePath(QStringLiteral("нет/t.arbolitus")), "--dump", "links"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("«нет.arbolitus»: файл не найден"))) << failed.err.toStdString();
    // Nothing is written after a tree that was not read, but the steps that only print still run.
    EXPECT_TRUE(failed.err.contains(QStringLiteral("Шаг --save пропущен"))) << failed.err.toStdString();
    EXPECT_TRUE(failed.out.startsWith(QStringLiteral("# links")));
}

TEST_F(TreeFileWindow, RecoveryCopyIsWrittenRemovedAndOfferedOnlyWhenLeftBehind)
{
    importFamily();
    const QString own = form.recoveryCopy()->path();
    // A tick that meets a long command waits a few seconds, not for the next tick.
    form.store().persons.disableControls();
    form.recoveryTick();
    form.recoveryCopy()->finishWriting();
    EXPECT_FALSE(QFile::exists(own));
    EXPECT_TRUE(form.recoveryRetryPending());
    form.store().persons.enableControls();
    form.recoveryTick();
    form.recoveryCopy()->finishWriting();
    EXPECT_TRUE(QFile::exists(own));
    EXPECT_FALSE(form.recoveryRetryPending());
    EXPECT_TRUE(staleRecoveryCopies().empty());  // this instance still runs
    platform.saveAnswers.push_back(file(QStringLiteral("kept.arbolitus")));
    ASSERT_TRUE(form.saveTree());
    EXPECT_FALSE(QFile::exists(own));

    // A copy that cannot be written is told in the status bar.
    ASSERT_TRUE(QDir().mkpath(own));  // a folder where the copy should go
    form.list().AddPerson();
    form.writeRecoveryCopy();
    form.recoveryCopy()->finishWriting();
    QTRY_VERIFY(form.statusText().startsWith(QStringLiteral("Копия для восстановления не записана: ")));
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(form.saveTree());

    // Two copies whose instances are gone: the newer is offered first.
    const QString folder = QFileInfo(own).absolutePath();
    GenealogyStore left;
    left.persons.insertRecord({1, "Оставленный", "Иван"});
    for (const char* name : {"old", "new"}) {
        ASSERT_FALSE(saveTreeFile(left, {}, folder + "/" + name + ".arbolitus"));
        writeFile(folder + "/" + name + ".path",
                  QByteArray(name) == "new" ? file(QStringLiteral("прежнее.arbolitus")).toUtf8() : QByteArray());
    }
    QFile old(folder + "/old.arbolitus");  // a file's time is set only through an open file
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    old.close();
    platform.yesNoAnswers = {true};
    form.offerRecoveryCopies();
    ASSERT_EQ(platform.yesNoQuestions.size(), 1);
    EXPECT_TRUE(platform.yesNoQuestions[0].startsWith(QStringLiteral("Восстановить несохранённое древо от ")));
    EXPECT_EQ(form.store().persons.asString(PersonField::fam), QStringLiteral("Оставленный"));
    EXPECT_TRUE(form.treeModified());
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: прежнее.arbolitus"));
    EXPECT_FALSE(QFile::exists(folder + "/new.arbolitus"));
    EXPECT_TRUE(QFile::exists(own));  // the restored tree has this instance's copy at once

    platform.yesNoAnswers = {false};  // "Нет" deletes the older one
    form.offerRecoveryCopies();
    EXPECT_FALSE(QFile::exists(folder + "/old.arbolitus"));
    EXPECT_TRUE(staleRecoveryCopies().empty());

    // The file named at start asks before it replaces the restored tree.
    const QString gedcom = file(QStringLiteral("семья.ged"));
    platform.saveQuestionAnswers = {Platform::SaveAnswer::Cancel, Platform::SaveAnswer::Discard};
    form.openStartFile(gedcom);
    EXPECT_EQ(form.store().persons.asString(PersonField::fam), QStringLiteral("Оставленный"));
    form.openStartFile(gedcom);
    EXPECT_EQ(platform.saveQuestions.size(), 2);
    EXPECT_FALSE(form.store().persons.locate(PersonField::fam, QStringLiteral("Оставленный")));
    EXPECT_EQ(caption(), QStringLiteral("Арболитус 1.0: семья.ged"));
}

// A file handed over at start is told by what it holds, not by its name.
TEST_F(TreeFileWindow, StartFileIsOpenedOrImportedByItsContent)
{
    importFamily();
    platform.saveAnswers.push_back(file(QStringLiteral("семья.arbolitus")));
    named<QAction>(form, "SaveTree")->trigger();
    const struct {
        QString name;
        QByteArray content;
        QString caption;
    } cases[] = {
        {"древо.ged", readFile(file("семья.arbolitus")), "Арболитус 1.0: древо.ged"},
        {"древо", readFile(file("семья.arbolitus")), "Арболитус 1.0: древо"},
        {"гедком.arbolitus", "\xEF\xBB\xBF" + pedigreeGedcom, "Арболитус 1.0: гедком.arbolitus"},
        {"гедком.txt", pedigreeGedcom, "Арболитус 1.0: гедком.txt"},
    };
    platform.saveQuestionAnswers = std::deque<Platform::SaveAnswer>(4, Platform::SaveAnswer::Discard);
    for (const auto& c : cases) {
        form.N2Click();
        ASSERT_EQ(form.store().persons.recordCount(), 0);
        form.openStartFile(writeFile(file(c.name), c.content));
        EXPECT_EQ(form.store().persons.recordCount(), 7) << c.name.toStdString();
        EXPECT_EQ(caption(), c.caption);
        // An opened tree file is as saved; an imported GEDCOM is a change.
        EXPECT_EQ(form.treeModified(), !c.content.startsWith("SQLite")) << c.name.toStdString();
    }
    // Only the imports' summaries are told: nothing was refused.
    for (const auto& message : platform.messages)
        EXPECT_TRUE(message.text.startsWith(QStringLiteral("Импорт из файла"))) << message.text.toStdString();
}
