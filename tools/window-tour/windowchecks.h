#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// What a user of a window may find wrong with it without reading its code.

// Texts cut off: a label (or check box, radio button) whose text needs more
// room than it has, and a scroll area showing a horizontal scroll bar at the
// window's size. One line per fault, naming the window and the text.
QStringList cutTexts(QWidget* window, const QString& windowName);

// The Tab key's walk through the window, as a user presses it: the controls it
// reaches in order until it comes back to the first. A walk that never comes
// round, a control the user could reach with Tab that it never reaches, or one
// it reaches twice, is a fault (one line each); `reached` gets the walk.
// So is a control the user works (a button, field, list) that Tab cannot reach
// at all, and a walk that goes through a layout's controls out of their order
// on the screen (left to right, then down).
QStringList tabWalkFaults(QWidget* window, const QString& windowName, QStringList* reached);
