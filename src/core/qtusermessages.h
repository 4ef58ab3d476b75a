#pragma once
#include "core/usermessages.h"

class QWidget;

// Shows messages in a QMessageBox, modal to the whole program.
class QtUserMessages : public UserMessages {
 public:
  explicit QtUserMessages(QWidget* owner = nullptr) : owner_(owner) {}
  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;

 private:
  QWidget* owner_;
};
