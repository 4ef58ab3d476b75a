#pragma once
#include <QLabel>

// A label that reads as a web link: in the link colour, with a hand cursor, and
// clicked by the left mouse button.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};
