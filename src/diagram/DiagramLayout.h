#pragma once
#include "diagram/DiagramScroll.h"
#include "diagram/DiagramUnits.h"

class RecordTable;
struct GenealogyStore;

// What "Очистить диаграмму" does to the tables and the scroll area.
void clearDiagramTables(GenealogyStore& store, DiagramScroll& scroll);

// Moves every person row into a margin of ten units and sizes the scroll
// area; a table without person rows is left as it is.
void NormaliseDiagram(RecordTable& items, DiagramUnits units, DiagramScroll& scroll);

// Rounds every person row's position down (toward zero) to multiples of the steps.
void AlignToGrid(RecordTable& items, int stepX, int stepY);

// Sets x and y of the row at this position, leaving the cursor there.
void movePersonRow(RecordTable& items, int position, int x, int y);
