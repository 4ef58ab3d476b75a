#include "core/escapeclose.h"

#include <QAction>
#include <QWidget>

void closeOnEscape(QWidget* window) {
  auto* close = new QAction(window);
  close->setObjectName(QStringLiteral("actCloseOnEscape"));
  close->setShortcut(QKeySequence(Qt::Key_Escape));
  close->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(close, &QAction::triggered, window, &QWidget::close);
  window->addAction(close);
}
