#pragma once
#include "core/usermessages.h"

#include <QList>
#include <functional>

// Records every message shown and answers questions from a script (Yes when the
// script is empty), so tests assert the exact text, caption and icon.
class RecordingMessages : public UserMessages {
 public:
  struct Shown {
    QString text, caption;
    Icon icon;
    Buttons buttons;
  };

  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override {
    shown.append({text, caption, icon, buttons});
    if (onShow) onShow();
    if (buttons == Buttons::Ok) return Result::Ok;
    return answers.isEmpty() ? Result::Yes : answers.takeFirst();
  }

  QList<Shown> shown;
  QList<Result> answers;
  std::function<void()> onShow;  // runs inside the message, as a modal box's own loop would
};
