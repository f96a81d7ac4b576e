// Display scaling arithmetic: the user interface's sizes and positions are given for 96 DPI
// (100 %) and scaled to the DPI of the window that shows them. Pure logic: no platform headers.
#pragma once

// The DPI that the layout tables of the main window and the input dialog are given for.
constexpr int DesignDpi = 96;

// value * dpi / 96 rounded to the nearest integer, halves away from zero: what the system's
// MulDiv(value, dpi, 96) gives, so that a figure scales alike wherever it is computed.
int ScaleToDpi(int value, int dpi);

struct LayoutBox {
    int x, y, width, height;
};
// Each of the four figures is scaled on its own: a gadget gets the width MulDiv gives its
// width, not the difference of its two scaled edges.
LayoutBox ScaleBoxToDpi(LayoutBox box, int dpi);

struct LayoutSize {
    int width, height;
};
// The outer size of a window that is given as an outer size at 96 DPI: its client part (the
// outer size less the frame at 96 DPI) scales, and the frame is the one the system draws at
// the DPI. At 96 DPI (the frames alike) this is the outer size as given.
LayoutSize ScaleOuterSizeToDpi(LayoutSize outerAtDesignDpi, LayoutSize frameAtDesignDpi, LayoutSize frameAtDpi,
                               int dpi);
