// The indexed paint, hit test and band selection against a walk of every row,
// on random diagrams edited at random between the questions.
#include "diagram/DiagramIndex.h"
#include "diagram/DiagramPainter.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramIndexWatch.h"
#include "store/GenealogyStore.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class RandomDiagram {
public:
    explicit RandomDiagram(unsigned seed) : rng_(seed) {}

    int below(int n) { return int(rng_() % unsigned(n)); }
    QPoint anywhere() { return {below(3000) - 500, below(2000) - 300}; }
    // Far apart, so that the index's keys span many bits.
    QPoint faraway() { return {below(8000000) - 4000000, below(6000000) - 3000000}; }

    void addPerson(RecordTable& items)
    {
        const int types[] = {DiagramRowType::Female, DiagramRowType::Male, DiagramRowType::Male, 0};
        // Few owners, so that some have two boxes and the first one counts.
        insertPersonRow(items, types[below(4)], below(4) == 0 ? faraway() : anywhere(), QStringLiteral("Петрова Сидорова"),
                        QStringLiteral("Анна"), below(60));
    }
    void addLine(RecordTable& items) { insertLineRow(items, below(64), below(64)); }

    // One random change of the kinds the program makes.
    void edit(RecordTable& items)
    {
        if (items.isEmpty()) {
            addPerson(items);
            return;
        }
        items.setCurrentPosition(below(items.recordCount()));
        switch (below(6)) {
        case 0:
            addPerson(items);
            break;
        case 1:
            addLine(items);
            break;
        case 2:
            items.deleteRecord();
            break;
        case 3:
            sortLinesFirst(items);
            break;
        default:
            if (isPersonRow(items, items.currentRow())) {
                const QPoint here(items.asInteger(DiagramField::x), items.asInteger(DiagramField::y));
                const QPoint to = below(2) ? here + QPoint(below(200) - 100, below(200) - 100) : anywhere();
                items.edit();
                items.setValue(DiagramField::x, to.x());
                items.setValue(DiagramField::y, to.y());
                items.post();
            }
        }
    }

private:
    std::mt19937 rng_;
};

QImage paintView(const GenealogyStore& store, const LegendPictures& pictures, const DiagramSettings& settings,
                 const CanvasState& canvas, QRect visible, DiagramIndex* index)
{
    QImage image(visible.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-visible.topLeft());
    DiagramPass pass;
    pass.visible = visible;
    pass.deviceArea = visible;
    pass.selection = &store.selection;
    pass.index = index;
    paintDiagramRows(painter, store.diagram, pictures, settings, canvas, pass);
    return image;
}

} // namespace

TEST(DiagramIndex, AnswersAsAWalkOfEveryRowDoes)
{
    const LegendPictures pictures = LegendPictures::builtIn();
    CanvasState canvas;
    canvas.font = QFont(QStringLiteral("DejaVu Sans"));
    canvas.font.setPixelSize(8);
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        RandomDiagram random(seed);
        GenealogyStore store;
        DiagramIndex index(store.diagram);
        DiagramIndexWatch watch(store.diagram, index, nullptr);
        // The last seeds are large enough for the index to sort by passes over digits.
        const int rows = seed > 10 ? 2500 : 150;
        for (int i = 0; i < rows; ++i)
            random.addPerson(store.diagram);
        for (int i = 0; i < rows; ++i)
            random.addLine(store.diagram);
        if (seed % 2)
            sortLinesFirst(store.diagram);
        DiagramSettings settings;
        settings.straightLines = seed % 3 == 0;
        for (int round = 0; round < 25; ++round) {
            SCOPED_TRACE(round);
            for (int n = random.below(4); n > 0; --n)
                random.edit(store.diagram);
            const QPoint corner = random.anywhere();
            const QRect visible(corner, QSize(50 + random.below(700), 50 + random.below(500)));
            ASSERT_EQ(paintView(store, pictures, settings, canvas, visible, &index),
                      paintView(store, pictures, settings, canvas, visible, nullptr));

            const QPoint at = random.anywhere();
            EXPECT_EQ(PersonAt(store.diagram, at.x(), at.y(), QSize(18, 18), &index),
                      PersonAt(store.diagram, at.x(), at.y(), QSize(18, 18)));

            GenealogyStore walked;
            const QPoint other = random.anywhere();
            selectInBand(store.diagram, walked.selection, corner, other);
            selectInBand(store.diagram, store.selection, corner, other, &index);
            EXPECT_EQ(store.selection.savedRows().size(), walked.selection.savedRows().size());
            for (int p = 0; p < walked.selection.recordCount() && p < store.selection.recordCount(); ++p)
                for (int f = 0; f < 4; ++f)
                    EXPECT_EQ(store.selection.integerAt(store.selection.rowAt(p), f),
                              walked.selection.integerAt(walked.selection.rowAt(p), f));
        }
    }
}

TEST(DiagramIndex, HeldBackNoticesAndOpenEditsMeanAWalk)
{
    GenealogyStore store;
    DiagramIndex index(store.diagram);
    DiagramIndexWatch watch(store.diagram, index, nullptr);
    insertPersonRow(store.diagram, DiagramRowType::Male, QPoint(100, 100), QString(), QString(), 1);
    EXPECT_EQ(index.rowsNear(QRect(0, 0, 200, 200)), std::vector<int>{0});
    {
        ControlsDisabled quiet(store.diagram);
        store.diagram.setCurrentPosition(0);
        store.diagram.edit();
        store.diagram.setValue(DiagramField::x, 5000);
        store.diagram.post();
        EXPECT_FALSE(index.rowsNear(QRect(0, 0, 200, 200)));
    }
    EXPECT_EQ(index.rowsNear(QRect(0, 0, 200, 200)), std::vector<int>{});
    EXPECT_EQ(index.rowsNear(QRect(4900, 0, 200, 200)), std::vector<int>{0});
    store.diagram.edit();
    EXPECT_FALSE(index.rowsNear(QRect(4900, 0, 200, 200)));
}
