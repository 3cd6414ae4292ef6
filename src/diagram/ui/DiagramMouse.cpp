// Mouse editing of the diagram: selecting, banding, dragging, naming a parent.
#include "diagram/ui/DiagramController.h"

#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"
#include "diagram/DiagramIndex.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "diagram/LegendPictures.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TOKBottomDlg1.h"

#include <QMenu>
#include <QPainter>

int DiagramController::PersonAt(int x, int y)
{
    const QSize hitSize = imageProperties_ ? imageProperties_->femalePictureSize() : QSize(18, 18);
    return ::PersonAt(store_.diagram, x, y, hitSize, index_.get());
}

void DiagramController::PaintBox1MouseDown(Qt::MouseButton button, int x, int y)
{
    bandSelecting = false;
    if (button != Qt::LeftButton)
        return;
    if (pickingParent) {
        if (popupPerson == -1)
            return;
        const int parent = PersonAt(x, y);
        // Nobody may be their own parent: every later tree would recurse without end.
        if (parent != -1 && parent != popupPerson) {
            const HistoryStep step(store_.history, QStringLiteral("указание родителя"));
            insertLineRow(store_.diagram, popupPerson, parent);
            store_.links.insertRecord({parent, popupPerson, LinkKind::ParentOf});
            sortLinesFirst(store_.diagram);
            DrawDiagram();
        }
        popupPerson = -1;
        pickingParent = false;
        return;
    }
    const int hit = PersonAt(x, y);
    if (hit != -1) {
        // The drag measures from here, even when no move preceded the press.
        lastPointer = QPoint(x, y);
        if (!store_.selection.locate(SelectionField::owner, hit)) {
            selectOnly(store_.diagram, store_.selection, hit);
            dragging = true;
            EraseDiagram();
            DrawDiagram();
        }
        dragging = true;
        return;
    }
    bandSelecting = true;
    bandStart = lastPointer = QPoint(x, y);
    canvasState.brushHollow = true;
}

void DiagramController::drawBand(QPoint corner)
{
    QPainter painter(&ScrollBox1->canvas());
    painter.translate(-ScrollBox1->scrollPosition());
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(bandStart, corner).normalized());
}

void DiagramController::dragGhosts(int dx, int dy)
{
    RecordTable& selection = store_.selection;
    QPainter painter(&ScrollBox1->canvas());
    painter.translate(-ScrollBox1->scrollPosition());
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (int p = 0; p < selection.recordCount(); ++p) {
        const RowId row = selection.rowAt(p);
        const int type = selection.integerAt(row, SelectionField::type);
        if (type == DiagramRowType::Line)
            continue;
        const QImage& ghost = type == DiagramRowType::Female ? pictures_.femaleInverted : pictures_.maleInverted;
        const QPoint from(selection.integerAt(row, SelectionField::x), selection.integerAt(row, SelectionField::y));
        painter.drawImage(from, ghost);
        const QPoint to = from - QPoint(dx, dy);
        selection.setCurrentPosition(p);
        selection.edit();
        selection.setValue(SelectionField::x, to.x());
        selection.setValue(SelectionField::y, to.y());
        selection.post();
        painter.drawImage(to, ghost);
    }
}

void DiagramController::PaintBox1MouseMove(int x, int y)
{
    const int dx = lastPointer.x() - x, dy = lastPointer.y() - y;
    if (bandSelecting) {
        drawBand(QPoint(x, y));
        drawBand(lastPointer);
        ScrollBox1->showCanvas();
    }
    lastPointer = QPoint(x, y);
    if (dragging) {
        dragGhosts(dx, dy);
        ScrollBox1->showCanvas();
    }
}

void DiagramController::PaintBox1MouseUp(Qt::MouseButton button, int x, int y, QPoint globalPos)
{
    if (bandSelecting) {
        bandSelecting = false;
        drawBand(lastPointer);
        canvasState.brushHollow = false;
        selectInBand(store_.diagram, store_.selection, bandStart, lastPointer, index_.get());
        EraseDiagram();
        DrawDiagram();
    }
    if (button == Qt::LeftButton && dragging)
        finishDrag();
    if (button == Qt::RightButton) {
        popupPoint = QPoint(x, y);
        popupPerson = PersonAt(x, y);
        popupAt(popupPerson == -1 ? PopupMenu2 : PopupMenu1, globalPos);
    }
}

void DiagramController::popupAt(QMenu* menu, QPoint globalPos)
{
    frame_.platform().popupMenu(menu, globalPos - QPoint(menu->sizeHint().width() / 2, 0));
}

// The selection's moved positions become the boxes' positions.
void DiagramController::finishDrag()
{
    dragging = false;
    const HistoryStep step(store_.history, QStringLiteral("перемещение по диаграмме"));
    RecordTable& selection = store_.selection;
    for (int p = 0; p < selection.recordCount(); ++p) {
        const RowId row = selection.rowAt(p);
        if (selection.integerAt(row, SelectionField::type) == DiagramRowType::Line)
            continue;
        const int position = personRowPosition(store_.diagram, selection.integerAt(row, SelectionField::owner));
        if (position >= 0)
            movePersonRow(store_.diagram, position, selection.integerAt(row, SelectionField::x),
                          selection.integerAt(row, SelectionField::y));
    }
    EraseDiagram();
    DrawDiagram();
}
