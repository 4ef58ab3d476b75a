#include "grid/frametoolbar.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

QToolBar* makeFrameToolBar(QWidget* parent, const QString& name) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(name);
  bar->setIconSize(QSize(24, 24));
  bar->setMovable(false);
  return bar;
}

QAction* addFrameTool(QToolBar* bar, const char* name, const QIcon& icon, const QString& hint) {
  QAction* action = bar->addAction(icon, hint);
  action->setObjectName(QString::fromLatin1(name));
  action->setToolTip(hint);
  if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
    button->setFixedSize(40, 32);
    button->setAutoRaise(true);
  }
  return action;
}
