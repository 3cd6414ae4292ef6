#include "diagram/DiagramRows.h"
#include "diagram/ui/TForm4.h"
#include "store/GenealogyStore.h"
#include "support/TestHelpers.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using Pair = std::pair<int, int>;

class Navigator : public ::testing::Test {
protected:
    Navigator()
    {
        auto setUnits = [this](DiagramUnits u) {
            units = u;
            ++unitWrites;
        };
        form.bind({&scroll, &store.diagram, [this] { return units; }, setUnits,
                   [this](const QString& message) { errors << message; }});
    }
    Pair current() const { return {units.h, units.v}; }
    Pair position() const { return {scroll.horzPosition(), scroll.vertPosition()}; }
    // The units after each press, until a press changes nothing.
    std::vector<Pair> pressUntilStuck(void (TForm4::*click)())
    {
        std::vector<Pair> seen;
        for (int i = 0; i < 50; ++i) {
            const Pair before = current();
            (form.*click)();
            if (current() == before)
                break;
            seen.push_back(current());
        }
        return seen;
    }
    void setAxisMode(int mode)
    {
        while (form.axisMode() != mode)
            form.SpeedButton8Click();
    }

    GenealogyStore store;
    PlainScroll scroll{400, 300};
    DiagramUnits units;
    int unitWrites = 0;
    QStringList errors;
    TForm4 form;
};

} // namespace

TEST_F(Navigator, EnlargingStopsAboveTheUpperBoundYetStillRepaints)
{
    QSignalSpy changed(&form, &TForm4::diagramChanged);
    const std::vector<Pair> expected{{94, 83},   {103, 91},  {113, 100}, {124, 110}, {136, 121},
                                     {150, 133}, {165, 146}, {182, 161}, {200, 177}, {220, 195}};
    EXPECT_EQ(pressUntilStuck(&TForm4::SpeedButton6Click), expected);
    EXPECT_EQ(unitWrites, 10);
    EXPECT_EQ(changed.count(), 11);
}

TEST_F(Navigator, CompressingStopsBelowTheLowerBoundsPerAxisMode)
{
    const std::vector<Pair> both{{77, 68}, {69, 61}, {62, 55}, {56, 50}, {50, 45}, {45, 41}, {41, 37}, {37, 33}};
    EXPECT_EQ(pressUntilStuck(&TForm4::SpeedButton7Click), both);
    for (int mode : {2, 3, 1}) {
        setAxisMode(mode);
        form.SpeedButton7Click();
        EXPECT_EQ(current(), Pair(37, 33)) << "mode " << mode;
    }

    units = {85, 75};
    setAxisMode(2);
    std::vector<Pair> horizontal;
    for (int h : {77, 69, 62, 56, 50, 45, 41, 37, 33, 30, 27, 24, 22, 20, 18})
        horizontal.push_back({h, 75});
    EXPECT_EQ(pressUntilStuck(&TForm4::SpeedButton7Click), horizontal);
    setAxisMode(3);
    units = {85, 75};
    form.SpeedButton6Click();
    EXPECT_EQ(current(), Pair(85, 83));
}

TEST_F(Navigator, EnlargingNormalisesTheStretchedBoxesIntoTheNewMargin)
{
    RecordTable& items = store.diagram;
    insertPersonRow(items, DiagramRowType::Male, {850, 750}, QStringLiteral("А"), QStringLiteral("Б"), 1);
    insertPersonRow(items, DiagramRowType::Female, {1020, 900}, QStringLiteral("В"), QStringLiteral("Г"), 2);
    insertLineRow(items, 1, 2);
    form.SpeedButton6Click();
    EXPECT_EQ(current(), Pair(94, 83));
    EXPECT_EQ(columnIntegers(items, DiagramField::x), (QList<int>{1, 1127, 940}));
    EXPECT_EQ(columnIntegers(items, DiagramField::y), (QList<int>{2, 995, 830}));
    EXPECT_EQ(Pair(scroll.horzRange(), scroll.vertRange()), Pair(940 + 1127, 830 + 995));
}

TEST_F(Navigator, AxisButtonCyclesThreeModesAndKeepsTheModeWithoutItsGlyph)
{
    std::vector<int> modes;
    for (int i = 0; i < 3; ++i) {
        form.SpeedButton8Click();
        modes.push_back(form.axisMode());
    }
    EXPECT_EQ(modes, (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(errors.isEmpty());

    QTemporaryDir empty;
    const QByteArray saved = qgetenv("ARBOLITUS_DAT");
    qputenv("ARBOLITUS_DAT", empty.path().toLocal8Bit());
    form.SpeedButton8Click();
    qputenv("ARBOLITUS_DAT", saved);
    EXPECT_EQ(form.axisMode(), 1);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Не удалось загрузить файл"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("x.bmp"))) << errors[0].toStdString();
}

TEST_F(Navigator, CentringAndShiftingKeepTheViewInsideTheDiagram)
{
    scroll.setRanges(100, 50);
    form.SpeedButton3Click();
    EXPECT_EQ(position(), Pair(0, 0));

    scroll.setRanges(1401, 1301);
    form.SpeedButton3Click();
    EXPECT_EQ(position(), Pair(500, 500));
    form.SpeedButton4Click();
    form.SpeedButton5Click();
    EXPECT_EQ(position(), Pair(580, 560));
    form.SpeedButton1Click();
    form.SpeedButton1Click();
    form.SpeedButton2Click();
    EXPECT_EQ(position(), Pair(420, 500));
}

TEST(NavigatorUnbound, ButtonsDoNothingBeforeBinding)
{
    TForm4 form;
    QSignalSpy changed(&form, &TForm4::diagramChanged);
    for (auto click : {&TForm4::SpeedButton1Click, &TForm4::SpeedButton2Click, &TForm4::SpeedButton3Click,
                       &TForm4::SpeedButton4Click, &TForm4::SpeedButton5Click, &TForm4::SpeedButton6Click,
                       &TForm4::SpeedButton7Click})
        (form.*click)();
    EXPECT_EQ(changed.count(), 0);
}
