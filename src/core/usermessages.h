#pragma once
#include <QString>

// Every message the program shows to the user goes through this one interface:
// the desktop program shows a message box, the command-line program writes to
// standard error, and tests record what was shown and answer from a script.
class UserMessages {
 public:
  enum class Icon { None, Information, Warning, Error };
  enum class Buttons { Ok, YesNo };
  enum class Result { Ok, Yes, No };

  virtual ~UserMessages() = default;
  virtual Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons = Buttons::Ok) = 0;
};
