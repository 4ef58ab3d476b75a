#pragma once
#include <QAccessible>

class QWidget;

// Gives a widget that Qt describes only as a generic container (a chart view, a
// scrolled panel of information) the role it has for the user, so that a
// screen reader says what it is. Qt's own accessibility factory makes its
// interface; its name and description stay the widget's accessibility
// properties. Set before the widget is first shown.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);
