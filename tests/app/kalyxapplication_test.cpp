#include "kalyxapplication.h"
#include "recordingmessages.h"

#include <QAction>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(ApplicationTest, AnExceptionFromACommandIsShownAndTheProgramGoesOn) {
  auto* app = dynamic_cast<KalyxApplication*>(qApp);
  ASSERT_TRUE(app);
  RecordingMessages messages;
  app->setMessages(&messages);
  QMainWindow window;
  auto* failing = new QAction(&window);
  failing->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  window.addAction(failing);
  int runs = 0;
  QObject::connect(failing, &QAction::triggered, [&] {
    if (++runs == 1) throw std::runtime_error("The analyzer's answer could not be read.");
    throw 42;  // not an exception class at all
  });
  window.show();
  QApplication::setActiveWindow(&window);

  QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "The analyzer's answer could not be read.");
  EXPECT_EQ(messages.shown[0].caption, "Kalyx 5pc");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  EXPECT_EQ(messages.shown[0].buttons, UserMessages::Buttons::Ok);

  // The loop goes on: the next event is delivered, and the next failure shown too.
  QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(runs, 2);
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[1].text, "An unexpected error occurred.");
  app->setMessages(nullptr);
}
