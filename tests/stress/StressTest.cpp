// A long session through the real main window, meant for the sanitized build:
// big imports, cards, added and deleted persons, every automatic tree from
// several roots, the bitmap, "Новый" and a last import.
#include "app/TForm1.h"
#include "autotree/TreeBuild.h"
#include "card/ui/CardController.h"
#include "export/DiagramBitmap.h"
#include "gedcom/ui/ImportController.h"
#include "list/PersonList.h"
#include "list/ui/PersonListController.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int personCount = 20000;
constexpr int familyCount = personCount / 2 - 1;

// Family f has the parents 2f and 2f + 1 and the child f: a binary tree of
// ancestors above person 1, every person born somewhere.
QByteArray generatedFile()
{
    QByteArray file = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= personCount; ++i) {
        file += "0 @I" + QByteArray::number(i) + "@ INDI\n1 NAME Иван" + QByteArray::number(i % 97) +
                " Петрович /Сидоров" + QByteArray::number(i % 13) + "/\n1 SEX " + (i % 2 ? "F" : "M") +
                "\n1 BIRT\n2 DATE " + QByteArray::number(1000 + i % 900) + "\n";
    }
    for (int f = 1; f <= familyCount; ++f) {
        file += "0 @F" + QByteArray::number(f) + "@ FAM\n1 HUSB @I" + QByteArray::number(2 * f) + "@\n1 WIFE @I" +
                QByteArray::number(2 * f + 1) + "@\n1 CHIL @I" + QByteArray::number(f) + "@\n";
    }
    return file + "0 TRLR\n";
}

int linksNaming(const RecordTable& links, int num)
{
    int count = 0;
    for (int p = 0; p < links.recordCount(); ++p) {
        const RowId row = links.rowAt(p);
        count += links.integerAt(row, LinkField::id1) == num || links.integerAt(row, LinkField::id2) == num;
    }
    return count;
}

} // namespace

TEST(Stress, LongSessionKeepsCountsAndMemoryClean)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("большое.ged")), generatedFile());
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    GenealogyStore& s = form.store();
    const int linksPerFile = familyCount * 3;

    for (int round = 1; round <= 2; ++round) {
        form.importer().importGedcomFile(path);
        ASSERT_EQ(s.persons.recordCount(), round * personCount);
        ASSERT_EQ(s.links.recordCount(), round * linksPerFile);
        ASSERT_EQ(s.events.recordCount(), round * personCount);
    }
    // Nothing but the summary after each import.
    auto onlySummaries = [&](std::size_t count) {
        EXPECT_EQ(platform.messages.size(), count);
        for (const auto& message : platform.messages)
            EXPECT_TRUE(message.text.startsWith(QStringLiteral("Импорт из файла «"))) << message.text.toStdString();
    };
    onlySummaries(2);

    for (int num : {1, 77, 20000, 39999})
        form.card().BuildCard(num);

    int persons = s.persons.recordCount(), links = s.links.recordCount();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(insertNewPerson(s.persons), 2 * personCount + 1 + i);
    persons += 10;
    for (int num : {1000, 20001, 40005, 3}) {
        links -= linksNaming(s.links, num);
        form.list().DeletePerson(num);
        --persons;
        ASSERT_EQ(s.persons.recordCount(), persons);
        ASSERT_EQ(s.links.recordCount(), links);
    }

    PlainScroll scroll(800, 600);
    for (TreeKind kind : {TreeKind::Ascending, TreeKind::Descending, TreeKind::TwoWay}) {
        for (int root : {2000, 17, 19999, 25000}) {
            ASSERT_TRUE(s.persons.locate(PersonField::num, root));
            const TreeBuildResult built = BuildTree(kind, s, DiagramUnits(), scroll);
            EXPECT_FALSE(built.refused) << built.refusal.toStdString();
            EXPECT_GT(s.diagram.recordCount(), 0);
        }
    }
    LegendPictures pictures;
    pictures.loadFrom(qEnvironmentVariable("ARBOLITUS_DAT"));
    const auto bitmap = renderDiagramBitmap(s.diagram, pictures, DiagramSettings(), QFont(),
                                            QSize(scroll.horzRange(), scroll.vertRange()));
    ASSERT_TRUE(std::holds_alternative<QImage>(bitmap));
    EXPECT_EQ(std::get<QImage>(bitmap).depth(), 1);
    EXPECT_EQ(s.persons.recordCount(), persons);

    platform.saveQuestionAnswers.push_back(Platform::SaveAnswer::Discard);
    form.N2Click();
    EXPECT_EQ(s.persons.recordCount(), 0);
    EXPECT_EQ(s.links.recordCount(), 0);
    EXPECT_EQ(s.diagram.recordCount(), 0);
    form.importer().importGedcomFile(path);
    EXPECT_EQ(s.persons.recordCount(), personCount);
    EXPECT_EQ(s.links.recordCount(), linksPerFile);
    onlySummaries(3);
}
