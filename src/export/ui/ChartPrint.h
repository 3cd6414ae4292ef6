#pragma once
#include "export/ChartPages.h"
#include "export/DiagramChart.h"

class QPrinter;

// Paints the chart onto the printer's pages as the plan for its printable
// area lays them out; each page of the natural size is marked with its column
// and row. Too many pages give one page that says so.
void printChart(QPrinter& printer, const DiagramChart& chart, PrintFit fit);
