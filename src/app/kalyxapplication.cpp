#include "app/kalyxapplication.h"

#include "core/names.h"
#include "core/qtusermessages.h"

#include <exception>

KalyxApplication::KalyxApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void showException(UserMessages& messages, const char* what) {
  messages.show(QString::fromLocal8Bit(what), productName(), UserMessages::Icon::Error, UserMessages::Buttons::Ok);
}

void showException(const char* what) {
  QtUserMessages messages(QApplication::activeWindow());
  showException(messages, what);
}

bool KalyxApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    messages_ ? showException(*messages_, e.what()) : showException(e.what());
  } catch (...) {
    messages_ ? showException(*messages_, "An unexpected error occurred.") : showException("An unexpected error occurred.");
  }
  return false;
}
