#include "app/kalyxapplication.h"
#include "support/recordingmessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
// A receiver whose handling fails, as a command that throws does. It throws from
// its own event handler, so that nothing of Qt's signal machinery is unwound.
class FailingCommand : public QObject {
 public:
  int runs = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    if (++runs == 1) throw std::runtime_error("The analyzer's answer could not be read.");
    throw 42;  // not an exception class at all
  }
};
}  // namespace

TEST(ApplicationTest, AnExceptionFromACommandIsShownAndTheProgramGoesOn) {
  auto* app = dynamic_cast<KalyxApplication*>(qApp);
  ASSERT_TRUE(app);
  RecordingMessages messages;
  app->setMessages(&messages);
  FailingCommand command;

  QCoreApplication::postEvent(&command, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "The analyzer's answer could not be read.");
  EXPECT_EQ(messages.shown[0].caption, "Kalyx 5pc");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  EXPECT_EQ(messages.shown[0].buttons, UserMessages::Buttons::Ok);

  // The loop goes on: the next event is delivered, and the next failure shown too.
  QCoreApplication::postEvent(&command, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  EXPECT_EQ(command.runs, 2);
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[1].text, "An unexpected error occurred.");
  app->setMessages(nullptr);
}
