#include "autotree/ui/TreeBuildController.h"
#include "diagram/DiagramRows.h"
#include "export/ui/ExportController.h"
#include "gedcom/ui/ImportController.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// Parents 1 and 2 with a son 3, who has a daughter 4 with 5.
const QByteArray family = "0 HEAD\n1 CHAR UTF-8\n"
                          "0 @I1@ INDI\n1 NAME Илья Петрович /Орлов/\n1 SEX M\n1 BIRT\n2 DATE 1850\n2 PLAC Тула\n"
                          "0 @I2@ INDI\n1 NAME Ольга /Орлова/\n1 SEX F\n"
                          "0 @I3@ INDI\n1 NAME Пётр Ильич /Орлов/\n1 SEX M\n"
                          "0 @I4@ INDI\n1 NAME Вера Петровна /Орлова/\n1 SEX F\n"
                          "0 @I5@ INDI\n1 NAME Нина /Седова/\n1 SEX F\n"
                          "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                          "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 CHIL @I4@\n"
                          "0 TRLR\n";

class ExportWindow : public WindowTest {
protected:
    void buildDescending()
    {
        form.importer().importGedcomFile(gedcom);
        s.persons.locate(PersonField::num, 1);
        form.trees().MenuItem3Click();
    }

    QTemporaryDir dir;
    QString gedcom = writeFile(dir.filePath(QStringLiteral("f.ged")), family);
};

} // namespace

TEST_F(ExportWindow, ImageFileIsWrittenAsTheBatchWritesIt)
{
    QMenu* exportMenu = named<QMenu>(form, "N4menu");
    QStringList items;
    for (QAction* a : exportMenu->actions())
        items << a->objectName();
    EXPECT_EQ(items, (QStringList{"Gedcom1", "ClipboardBMP1", "Image1", "txt1"}));

    form.exporter().Image1Click();  // nothing drawn yet
    EXPECT_TRUE(platform.lastMessage().startsWith(QStringLiteral("Диаграмма пуста")));
    EXPECT_TRUE(platform.fileTitles.isEmpty());

    buildDescending();
    const QString png = dir.filePath(QStringLiteral("w.png"));
    platform.saveAnswers.push_back(png);
    named<QAction>(form, "Image1")->trigger();
    EXPECT_EQ(platform.fileSuffixes.last(), QStringLiteral("png"));
    EXPECT_TRUE(platform.lastMessage().contains(QStringLiteral("записано в файл «w.png»")));

    const QString batchPng = dir.filePath(QStringLiteral("b.png"));
    const ProcessResult run = runBatchProcess({"--import", gedcom, "--root", "1", "--build", "descending", "--export-image", batchPng});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(png), QImage(batchPng));
}

TEST_F(ExportWindow, PrintPreviewOffersBothFitsOnTheKeptPrinter)
{
    QMenu* file = named<QMenu>(form, "N1");
    QAction* print = named<QAction>(form, "N6");
    Q_EMIT file->aboutToShow();
    EXPECT_FALSE(print->isEnabled());  // the list mode

    buildDescending();
    Q_EMIT file->aboutToShow();
    EXPECT_TRUE(print->isEnabled());

    platform.printer().setOutputFormat(QPrinter::PdfFormat);
    platform.printer().setPageSize(QPageSize(QSizeF(120, 120), QPageSize::Point));
    platform.printer().setPageMargins(QMarginsF());
    int onePage = 0, naturalSize = 0;
    platform.onPrintPreview = [&](QPrintPreviewDialog& dialog) {
        EXPECT_EQ(dialog.printer(), &platform.printer());
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        preview->updatePreview();
        onePage = preview->pageCount();
        named<QAction>(dialog, "NaturalSize")->trigger();
        naturalSize = preview->pageCount();
        EXPECT_EQ(named<QAction>(dialog, "OnePage")->text(), QStringLiteral("На одну страницу"));
    };
    print->trigger();
    EXPECT_EQ(platform.printPreviews, 1);
    EXPECT_EQ(onePage, 1);
    EXPECT_GT(naturalSize, 1);  // the tree is larger than the small sheet

    form.selectTab(TForm1::ListMode);
    Q_EMIT file->aboutToShow();
    EXPECT_FALSE(print->isEnabled());
}

TEST_F(ExportWindow, RegisterStartsFromTheCurrentPersonOrTheOneSelectedBox)
{
    buildDescending();
    selectOnly(s.diagram, s.selection, 3);
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    platform.saveAnswers.push_back(path);
    named<QAction>(form, "txt1")->trigger();
    EXPECT_EQ(platform.fileSuffixes.last(), QStringLiteral("txt"));
    EXPECT_TRUE(readFile(path).startsWith("Поколенная роспись потомков: Орлов Пётр Ильич\n"));
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Поколенная роспись (2 чел.) записана в файл «r.txt»."));

    form.selectTab(TForm1::ListMode);
    s.persons.locate(PersonField::num, 1);
    platform.saveAnswers.push_back(path);
    form.exporter().txt1Click();
    EXPECT_TRUE(readFile(path).contains("1. Орлов Илья Петрович (1850, Тула).\n   Жена: Орлова Ольга.\n   Дети: 2\n\n"))
        << readFile(path).constData();

    const QString batchRegister = dir.filePath(QStringLiteral("b.txt"));
    ASSERT_EQ(runBatchProcess({"--import", gedcom, "--export-register", "1", batchRegister}).exitCode, 0);
    EXPECT_EQ(readFile(batchRegister), readFile(path));
}
