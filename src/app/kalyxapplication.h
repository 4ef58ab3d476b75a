#pragma once
#include <QApplication>

class UserMessages;

// The desktop program's application object. An exception that escapes a command
// is shown in the standard error box, and the program goes on.
class KalyxApplication : public QApplication {
 public:
  KalyxApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // Where the error box goes; by default a message box over the active window.
  void setMessages(UserMessages* messages) { messages_ = messages; }

 private:
  UserMessages* messages_ = nullptr;
};

// Shows an exception's text in the standard error box.
void showException(UserMessages& messages, const char* what);
void showException(const char* what);
