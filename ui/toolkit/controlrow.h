#pragma once

#include <QString>

#include <functional>
#include <span>

class QWidget;

// Where one control of a window stands: its name, the container it lies in
// (the window or a frame made by an earlier row), and its place in twips
// from the top-left corner of its container (a frame's outer corner for
// controls in a frame).
struct ControlPlace
{
    const char *name;
    const char *container;
    int left, top, width, height;
};

// A control's place and how it is made, so that each control's name is
// written once.
struct ControlRow
{
    const char *name;
    const char *container;
    int left, top, width, height;
    // Makes the control with the row's name in its container and keeps it
    // where the window needs it; the row then places what it returns. An
    // image button gives the name to its normal face, which it returns
    // within.
    std::function<QWidget *(const QString &name, QWidget *container)> make;
};

// Makes, names and places the controls of the table in its order, which is
// their stacking order: a later row lies above an earlier one in the same
// container. A row whose container no earlier row made, or that makes no
// control of its name, is a fault of the window's code: it stops the
// program, naming the row, in every build.
void makeControls(QWidget &window, std::span<const ControlRow> table);

// The same for a table of places, each control made by one maker.
using ControlMaker = std::function<QWidget *(const QString &name, QWidget *container)>;
void makeControls(QWidget &window, std::span<const ControlPlace> places, const ControlMaker &make);
