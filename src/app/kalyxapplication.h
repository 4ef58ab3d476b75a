#pragma once
#include <QApplication>

// The desktop program's application object. An exception that escapes a command
// is shown in an error box, and the program goes on.
class KalyxApplication : public QApplication {
 public:
  KalyxApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

void showException(const char* what);
