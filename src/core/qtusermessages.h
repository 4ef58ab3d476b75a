#pragma once
#include "core/usermessages.h"

#include <QPixmap>

class QWidget;

// Shows messages in a QMessageBox, modal to the whole program.
class QtUserMessages : public UserMessages {
 public:
  explicit QtUserMessages(QWidget* owner = nullptr) : owner_(owner) {}
  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;

 private:
  QWidget* owner_;
};

// The picture of a message's gravity (information, warning, error), drawn from
// its vector picture at `size` for a screen of the given scale; none for Icon::None.
QPixmap messageIconPicture(UserMessages::Icon icon, int size, qreal devicePixelRatio);
