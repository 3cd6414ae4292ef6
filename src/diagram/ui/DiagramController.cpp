#include "diagram/ui/DiagramController.h"

#include "store/TreeHistory.h"

#include "diagram/DiagramIndex.h"
#include "diagram/ui/DiagramIndexWatch.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramPainter.h"
#include "diagram/DiagramRows.h"
#include "diagram/LegendPictures.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "platform/Platform.h"
#include "treefile/TreeFile.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"

#include <QCheckBox>
#include <QPainter>

DiagramController::DiagramController(GenealogyStore& store, MainFrame& frame, PersonListController& list,
                                     LegendPictures& pictures, QWidget* clientArea)
    : QObject(clientArea), store_(store), frame_(frame), list_(list), pictures_(pictures),
      index_(std::make_unique<DiagramIndex>(store.diagram))
{
    new DiagramIndexWatch(store.diagram, *index_, this);
    setObjectName(QStringLiteral("diagramController"));
    buildView(clientArea);
    buildMenus();
}

DiagramController::~DiagramController() = default;

void DiagramController::buildView(QWidget* clientArea)
{
    ScrollBox1 = new DiagramView(clientArea);
    PaintBox1 = ScrollBox1->viewport();
    ScrollBox1->onPaintRequest = [this] { PaintBox1Paint(); };
    ScrollBox1->onMouseDown = [this](Qt::MouseButton button, QPoint at) { PaintBox1MouseDown(button, at.x(), at.y()); };
    ScrollBox1->onMouseMove = [this](QPoint at) { PaintBox1MouseMove(at.x(), at.y()); };
    ScrollBox1->onMouseUp = [this](Qt::MouseButton button, QPoint at, QPoint global) {
        PaintBox1MouseUp(button, at.x(), at.y(), global);
    };
    canvasState.font = initialDiagramFont();
}

void DiagramController::bindWindows(TForm4& navigator, TOKBottomDlg1& imageProperties)
{
    navigator_ = &navigator;
    imageProperties_ = &imageProperties;
    connect(&imageProperties, &TOKBottomDlg1::fontChosen, this, [this](const QFont& font) { canvasState.font = font; });
    NavigatorTarget navigated;
    navigated.scroll = ScrollBox1;
    navigated.items = &store_.diagram;
    navigated.history = &store_.history;
    navigated.units = [this] { return imageProperties_->units(); };
    navigated.setUnits = [this](DiagramUnits units) { imageProperties_->setUnits(units); };
    navigated.reportError = [this](const QString& text) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), text);
    };
    navigator.bind(navigated);
    connect(&navigator, &TForm4::diagramChanged, this, &DiagramController::repaintDiagram);
}

DiagramSettings DiagramController::diagramSettings() const
{
    return imageProperties_ ? imageProperties_->settings() : DiagramSettings();
}

void DiagramController::DrawDiagram()
{
    const DiagramSettings settings = diagramSettings();
    QPainter painter(&ScrollBox1->canvas());
    painter.translate(-ScrollBox1->scrollPosition());
    applyCanvas(painter, canvasState);
    if (settings.grid)
        DrawGrid(painter, settings.units, ScrollBox1->scrollPosition(), ScrollBox1->size());
    DiagramPass pass;
    pass.visible = ScrollBox1->visibleArea();
    pass.deviceArea = pass.visible;
    pass.selection = &store_.selection;
    pass.index = index_.get();
    paintDiagramRows(painter, store_.diagram, pictures_, settings, canvasState, pass);
    painter.end();
    leaveAtEnd(store_.diagram);
    ScrollBox1->showCanvas();
}

void DiagramController::EraseDiagram()
{
    ScrollBox1->canvas().fill(Qt::white);
    ScrollBox1->showCanvas();
}

void DiagramController::PaintBox1Paint()
{
    if (paintEnabled)
        DrawDiagram();
}

void DiagramController::repaintDiagram()
{
    EraseDiagram();
    PaintBox1Paint();
}

void DiagramController::imagePropertiesConfirmed()
{
    const DiagramSettings settings = diagramSettings();
    canvasState.penWidth = settings.lineWidth;
    canvasState.font = imageProperties_->diagramFont();
    if (imageProperties_->CheckBox4->isChecked()) {
        AlignToGrid(store_.diagram, settings.units.h, settings.units.v);
        NormaliseDiagram(store_.diagram, settings.units, *ScrollBox1);
    }
    pictures_.rebuildInverted();
    EraseDiagram();
    DrawDiagram();
}

void DiagramController::showImageProperties()
{
    if (!imageProperties_)
        return;
    frame_.frameWindow()->setEnabled(false);
    imageProperties_->show();
}

namespace {

bool sameSettingsAndRanges(const TreeFileDiagram& a, const TreeFileDiagram& b)
{
    const DiagramSettings &x = a.settings, &y = b.settings;
    return x.names == y.names && x.familyNames == y.familyNames && x.straightLines == y.straightLines
           && x.grid == y.grid && x.units.h == y.units.h && x.units.v == y.units.v && x.lineWidth == y.lineWidth
           && a.font == b.font && a.malePicture.cacheKey() == b.malePicture.cacheKey()
           && a.femalePicture.cacheKey() == b.femalePicture.cacheKey() && a.horzRange == b.horzRange
           && a.vertRange == b.vertRange;
}

} // namespace

SideState DiagramController::historySideState()
{
    return {[this] { return std::any(keptDiagram()); },
            // The view goes back to where it was with the contents it shows:
            // undoing a stretch or a build shows what was seen before it.
            [this](const std::any& kept) { applyKeptDiagram(std::any_cast<const TreeFileDiagram&>(kept)); },
            [](const std::any& a, const std::any& b) {
                return sameSettingsAndRanges(std::any_cast<const TreeFileDiagram&>(a),
                                             std::any_cast<const TreeFileDiagram&>(b));
            }};
}

void DiagramController::historyApplied()
{
    dragging = bandSelecting = false;
    store_.selection.emptyTable();
    repaintDiagram();
}

QFont DiagramController::diagramFont() const
{
    return imageProperties_ ? imageProperties_->diagramFont() : canvasState.font;
}

TreeFileDiagram DiagramController::keptDiagram() const
{
    TreeFileDiagram kept;
    kept.settings = diagramSettings();
    kept.font = diagramFont().toString();
    kept.malePicture = pictures_.male;
    kept.femalePicture = pictures_.female;
    kept.horzRange = ScrollBox1->horzRange();
    kept.vertRange = ScrollBox1->vertRange();
    kept.horzPosition = ScrollBox1->horzPosition();
    kept.vertPosition = ScrollBox1->vertPosition();
    return kept;
}

void DiagramController::applyKeptDiagram(const TreeFileDiagram& kept)
{
    QFont font = initialDiagramFont();
    if (!kept.font.isEmpty())
        font.fromString(kept.font);
    if (imageProperties_)
        imageProperties_->applyKeptSettings(kept.settings, font, kept.malePicture, kept.femalePicture);
    canvasState.penWidth = kept.settings.lineWidth;
    canvasState.font = font;
    pictures_.rebuildInverted();
    ScrollBox1->setRanges(kept.horzRange, kept.vertRange);
    ScrollBox1->setHorzPosition(kept.horzPosition);
    ScrollBox1->setVertPosition(kept.vertPosition);
    repaintDiagram();
}
