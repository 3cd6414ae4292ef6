#pragma once
#include "diagram/DiagramIndex.h"
#include "store/RecordTableModel.h"

// Tells the index of every change of the diagram table. It is a model so that
// the frame drops it with the grids' models, before the store it watches.
class DiagramIndexWatch : public RecordTableModel {
public:
    DiagramIndexWatch(RecordTable& items, DiagramIndex& index, QObject* parent)
        : RecordTableModel(items, {}, parent), index_(index)
    {
    }

private:
    void tableReset() override { index_.invalidate(); }
    void rowChanged(int) override { index_.invalidate(); }
    void cursorMoved() override {}

    DiagramIndex& index_;
};
