#pragma once
#include "diagram/DiagramScroll.h"
#include "diagram/DiagramUnits.h"

class RecordTable;

// value × factor formed in extended precision and rounded half to even; plain
// doubles land on the wrong side of halves such as 85 × 0.9. Saturates at the
// int range.
int roundedProduct(int value, double factor);

// Scales H and V; false, changing nothing, unless 19 < H < 217 and 35 < V < 409.
bool stretchUnits(DiagramUnits& units, double fx, double fy);
// Scales every person row about the corner (10 H, 10 V) of the new units.
void stretchRows(RecordTable& items, DiagramUnits units, double fx, double fy);
// Scales every person row as stretchRows does and then normalises the diagram
// as NormaliseDiagram does, moving each row once.
void stretchAndNormalise(RecordTable& items, DiagramUnits units, double fx, double fy, DiagramScroll& scroll);
// stretchUnits and stretchRows; false when the units are out of bounds.
bool stretchDiagram(RecordTable& items, DiagramUnits& units, double fx, double fy);

// Axis modes of the navigator: 1 both, 2 horizontal only, 3 vertical only.
enum class StretchDirection { Enlarge, Compress };
struct StretchFactors {
    double x = 1.0;
    double y = 1.0;
};
StretchFactors stretchFactors(int axisMode, StretchDirection direction);
