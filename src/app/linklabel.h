#pragma once
#include <QLabel>

// A label that reads as a web link: in the link colour, with a hand cursor, and
// clicked by the left mouse button, or reached by Tab and followed by Enter or
// Space; a screen reader knows it as a link.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
