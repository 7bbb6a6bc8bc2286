#pragma once

#include <span>

class QWidget;

// Where a control of a window stands, in twips from the top-left corner of
// its container (a frame's outer corner for controls in a frame). Both
// windows keep their layout as one table of these.
struct ControlPlace
{
    const char *name;
    const char *container;
    int left, top, width, height;
};

// Sets every control of the table where its row says. A row whose control
// the window lacks, or whose control lies in another container, is a fault
// of the window's code: it stops the program, naming the row, in every build.
void placeControls(QWidget &window, std::span<const ControlPlace> table);
