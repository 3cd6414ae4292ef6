#pragma once

// The horizontal and vertical units of the diagram, H and V; both positive.
struct DiagramUnits {
    int h = 85;
    int v = 75;
};
