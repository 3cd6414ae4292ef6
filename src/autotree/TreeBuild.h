#pragma once
#include "diagram/DiagramScroll.h"
#include "diagram/DiagramUnits.h"
#include "store/GenealogyStore.h"

#include <QList>
#include <QString>

enum class TreeKind { Ascending, Descending, TwoWay };

// What a build did, for the window and for the batch mode to report.
struct TreeBuildResult {
    bool refused = false;     // nothing was changed
    QString refusal;          // why, when refused
    QList<int> cyclePersons;  // persons met again on their own line, each once, as met
    QString cycleMessage;     // names them; empty when there are none
    int root = 0;             // the person the tree was built around
};

// The build commands without their window: clear the diagram tables and the
// scroll ranges, lay the tree out around the persons table's current person,
// sort, compress and normalise, freezing the person list meanwhile. Refusals
// (an empty persons table, a walk too long, positions beyond 32 bits) come
// before any change.
TreeBuildResult BuildAscendingTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll);
TreeBuildResult BuildDescendingTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll);
TreeBuildResult BuildTwoWayTree(GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll);
TreeBuildResult BuildTree(TreeKind kind, GenealogyStore& store, DiagramUnits units, DiagramScroll& scroll);
