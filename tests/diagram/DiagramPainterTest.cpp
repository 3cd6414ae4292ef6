#include "diagram/DiagramPainter.h"
#include "diagram/DiagramRows.h"
#include "export/DiagramBitmap.h"
#include "store/GenealogyStore.h"

#include <gtest/gtest.h>

namespace {

bool isBlack(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

// Bounding box of the dark pixels within a band of rows.
QRect inkIn(const QImage& image, int top, int bottom)
{
    QRect box;
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isBlack(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

class Painting : public ::testing::Test {
protected:
    Painting()
    {
        pictures = LegendPictures::builtIn();
        canvas.font = QFont(QStringLiteral("DejaVu Sans"));
        canvas.font.setPixelSize(8);
        canvas.font.setStyleStrategy(QFont::NoAntialias);
    }
    // Draws the view whose visible part is `visible` into an image of `size`
    // whose origin is the diagram origin.
    QImage view(QRect visible = QRect(0, 0, 2000, 1200), QSize size = QSize(2000, 1200))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DiagramPass pass;
        pass.visible = visible;
        pass.selection = &store.selection;
        paintDiagramRows(painter, store.diagram, pictures, settings, canvas, pass);
        return image;
    }
    void person(int owner, int x, int y, int type, const char* familyName = "", const char* givenNames = "")
    {
        insertPersonRow(store.diagram, type, QPoint(x, y), QString::fromUtf8(familyName),
                        QString::fromUtf8(givenNames), owner);
    }

    GenealogyStore store;
    LegendPictures pictures;
    DiagramSettings settings;
    CanvasState canvas;
};

} // namespace

TEST_F(Painting, PictureAndCaptionsCentredOnTheLeftEdge)
{
    person(1, 850, 750, DiagramRowType::Female, "Петрова Сидорова", "Анна Ивановна");
    const QImage both = view();
    EXPECT_TRUE(isBlack(both, 850 + 9, 750));       // top of the circle
    EXPECT_FALSE(isBlack(both, 850, 750));          // a circle, not the square
    const QRect names = inkIn(both, 750 + 18 + 5, 750 + 18 + 5 + 12);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_NEAR(names.center().x(), 850, 3);        // centred on x, not on the picture's middle
    EXPECT_GE(names.top(), 773);

    // Without the names the family name takes the first caption line: the same
    // ink one caption step (12 pixels for an 8-pixel font) higher.
    const QRect family = inkIn(both, 785, 800);
    settings.names = false;
    const QRect familyFirst = inkIn(view(), 773, 800);
    EXPECT_EQ(familyFirst.translated(0, 12), family);

    // The view shows only the first word of the family name.
    store.diagram.emptyTable();
    person(1, 850, 750, DiagramRowType::Female, "Петрова", "Анна Ивановна");
    EXPECT_EQ(inkIn(view(), 773, 800), familyFirst);

    settings.familyNames = false;
    EXPECT_TRUE(inkIn(view(), 770, 800).isEmpty());
}

TEST_F(Painting, CullingLimitsLinesAndFrames)
{
    // Visible part from x 0 to 300; rows within 100 pixels of it are drawn.
    const QRect visible(0, 0, 300, 200);
    for (int x : {-100, 400, -99, 399})
        person(x + 1000, x, 50, DiagramRowType::Male);
    QImage image(QSize(800, 300), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(200, 0);
        DiagramPass pass;
        pass.visible = visible;
        paintDiagramRows(painter, store.diagram, pictures, settings, canvas, pass);
    }
    EXPECT_FALSE(isBlack(image, 200 - 100, 50));
    EXPECT_FALSE(isBlack(image, 200 + 400 + 17, 50));
    EXPECT_TRUE(isBlack(image, 200 - 99, 50));
    EXPECT_TRUE(isBlack(image, 200 + 399, 50));

    // Style No. 2 from a child at (850, 900) to a parent at (765, 750).
    store.diagram.emptyTable();
    person(8, 850, 900, DiagramRowType::Male);
    person(5, 765, 750, DiagramRowType::Male);
    insertLineRow(store.diagram, 8, 5);
    insertLineRow(store.diagram, 8, 99);  // no box for 99: not drawn
    QImage elbow = view();
    EXPECT_TRUE(isBlack(elbow, 859, 890));
    EXPECT_TRUE(isBlack(elbow, 800, 872));
    EXPECT_FALSE(isBlack(elbow, 800, 860));
    EXPECT_TRUE(isBlack(elbow, 774, 800));
    EXPECT_EQ(elbowBetween({859, 909}, {774, 759}).turn1, QPoint(859, 872));
    settings.straightLines = true;
    const QImage straight = view();
    EXPECT_FALSE(isBlack(straight, 800, 872));
    EXPECT_TRUE(isBlack(straight, 816, 834) || isBlack(straight, 817, 834) || isBlack(straight, 816, 835));

    // Frames for selected persons only; a selected person without a box shows nothing.
    store.selection.insertRecord({5, 765, 750, 2});
    store.selection.insertRecord({77, 100, 100, 2});
    const QImage framed = view();
    EXPECT_TRUE(isBlack(framed, 760, 760));
    EXPECT_FALSE(isBlack(framed, 845, 910));
    EXPECT_TRUE(inkIn(framed, 90, 130).isEmpty());
}

TEST_F(Painting, GridDotsAtMultiplesOfTheUnits)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(-100, -50);
        DrawGrid(painter, DiagramUnits{85, 75}, QPoint(100, 50), QSize(300, 200));
    }
    EXPECT_EQ(image.pixel(170 - 100, 75 - 50), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(340 - 100, 150 - 50), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(85 - 100 + 85, 0), qRgb(255, 255, 255));  // the scroll origin row is not dotted
    EXPECT_EQ(image.pixel(171 - 100, 75 - 50), qRgb(255, 255, 255));
}

TEST_F(Painting, BitmapExportSizeOffsetsAndRefusals)
{
    const QFont font = canvas.font;
    auto rendered = renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(1700, 1500));
    EXPECT_TRUE(std::holds_alternative<QString>(rendered));  // an empty diagram

    person(1, 850, 750, DiagramRowType::Male, "Петрова Сидорова", "Анна");
    rendered = renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(0, 0));
    EXPECT_TRUE(std::holds_alternative<QString>(rendered));  // ranges cleared
    rendered = renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(40000, 1500));
    ASSERT_TRUE(std::holds_alternative<QString>(rendered));
    EXPECT_TRUE(std::get<QString>(rendered).contains(QStringLiteral("слишком велика")));

    rendered = renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(1700, 1500));
    ASSERT_TRUE(std::holds_alternative<QImage>(rendered));
    const QImage bitmap = std::get<QImage>(rendered);
    EXPECT_EQ(bitmap.size(), QSize(170, 150));
    EXPECT_EQ(bitmap.depth(), 1);
    EXPECT_TRUE(isBlack(bitmap, 85, 75));
    EXPECT_TRUE(isBlack(bitmap, 85 + 17, 75 + 17));
    EXPECT_FALSE(isBlack(bitmap, 86, 76));
    EXPECT_FALSE(isBlack(bitmap, 84, 74));

    // The export writes the whole family name; the view only its first word.
    const QRect whole = inkIn(bitmap, 75 + 18 + 5 + 12, 150);
    store.diagram.emptyTable();
    person(1, 850, 750, DiagramRowType::Male, "Петрова", "Анна");
    const QImage oneWord = std::get<QImage>(renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(1700, 1500)));
    EXPECT_GT(whole.width(), inkIn(oneWord, 75 + 18 + 5 + 12, 150).width());

    // Lines to a person shown twice end at the first box in table order.
    store.diagram.emptyTable();
    person(2, 850, 900, DiagramRowType::Male);
    person(2, 1020, 900, DiagramRowType::Male);
    person(3, 850, 750, DiagramRowType::Male);
    settings.straightLines = true;
    store.diagram.first();
    insertLineRow(store.diagram, 3, 2);
    const QImage twice = std::get<QImage>(renderDiagramBitmap(store.diagram, pictures, settings, font, QSize(2040, 1800)));
    // Rows went in before the current one: the box at 1020 comes first.
    EXPECT_EQ(store.diagram.integerAt(store.diagram.rowAt(2), DiagramField::x), 1020);
    EXPECT_TRUE(isBlack(twice, 179, 159));   // midway from (94, 84) to (264, 234)
    EXPECT_FALSE(isBlack(twice, 94, 159));   // nothing to the other box
}
