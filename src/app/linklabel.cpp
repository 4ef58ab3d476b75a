#include "app/linklabel.h"

#include "core/accessiblerole.h"

#include <QKeyEvent>
#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  // Shown as plain text: a link's caption is never read as markup.
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setForegroundRole(QPalette::Link);  // the desktop's link colour, blue by default
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleRole(this, QAccessible::Link);
  setAccessibleName(text);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
    emit clicked();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}
