#pragma once
#include "core/usermessages.h"


// Messages of the command-line program: their text goes to standard error.
// A question is answered Yes, as a command line states its intent.
class CliMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
};
