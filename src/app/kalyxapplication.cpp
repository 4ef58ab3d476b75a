#include "kalyxapplication.h"

#include "names.h"
#include "qtusermessages.h"

#include <exception>

KalyxApplication::KalyxApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void showException(const char* what) {
  QtUserMessages messages(QApplication::activeWindow());
  messages.show(QString::fromLocal8Bit(what), productName(), UserMessages::Icon::Error, UserMessages::Buttons::Ok);
}

bool KalyxApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    showException(e.what());
  } catch (...) {
    showException("An unexpected error occurred.");
  }
  return false;
}
