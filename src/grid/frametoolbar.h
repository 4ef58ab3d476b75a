#pragma once
#include <QString>

class QAction;
class QIcon;
class QToolBar;
class QWidget;

// A list frame's flat tool bar, whose 40 × 32 buttons show their hints.
QToolBar* makeFrameToolBar(QWidget* parent, const QString& name);
QAction* addFrameTool(QToolBar* bar, const char* name, const QIcon& icon, const QString& hint);
