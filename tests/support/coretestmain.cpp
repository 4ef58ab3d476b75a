// Entry point of the domain and device tests: a QCoreApplication only, so a
// domain that needed a window system would fail here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // The programs some tests start (the command line, the simulator) run without warnings.
  QTemporaryDir runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  QCoreApplication app(argc, argv);
  // Month names and number texts are those of an English locale in every test.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
