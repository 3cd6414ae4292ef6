#pragma once
#include "widgets/SecondaryWindow.h"
#include "diagram/DiagramScroll.h"
#include "diagram/DiagramUnits.h"
#include "diagram/Stretch.h"

#include <QIcon>
#include <QRect>
#include <functional>

class QToolButton;
class RecordTable;

// What the navigator works on; it owns none of it.
class TreeHistory;

struct NavigatorTarget {
    DiagramScroll* scroll = nullptr;
    RecordTable* items = nullptr;
    std::function<DiagramUnits()> units;         // H and V of the image properties dialog
    std::function<void(DiagramUnits)> setUnits;  // writes them back there
    std::function<void(const QString&)> reportError;
    TreeHistory* history = nullptr;  // a stretch is one step of it
};

// The diagram navigator: shifts, centres and stretches the diagram.
class TForm4 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm4();
    void bind(NavigatorTarget target);
    int axisMode() const { return axisMode_; }

    void SpeedButton1Click();  // left by a fifth of the view
    void SpeedButton2Click();  // up
    void SpeedButton3Click();  // centre
    void SpeedButton4Click();  // right
    void SpeedButton5Click();  // down
    void SpeedButton6Click();  // enlarge
    void SpeedButton7Click();  // compress
    void SpeedButton8Click();  // next axis mode

Q_SIGNALS:
    // The rows or the units changed; the diagram wants repainting.
    void diagramChanged();

private:
    void buildFlatButtons();
    void buildInactiveControls();
    QToolButton* addButton(const QString& name, QRect geometry, const QIcon& glyph, const QString& hint = {});
    void addLabel(const QString& name, QPoint at, const QString& text);
    void shiftByFifth(int dirX, int dirY);  // by a fifth of the view, -1 or +1 each way
    void stretch(StretchDirection direction);

    NavigatorTarget target_;
    int axisMode_ = 1;
    QToolButton* axisButton_ = nullptr;
};
