#include "device/commprogress.h"
#include "support/recordingmessages.h"
#include "support/waituntil.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHideEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {
class CommProgressTest : public ::testing::Test {
 protected:
  RecordingMessages messages;
  QWidget owner;

  void SetUp() override {
    owner.resize(400, 300);
    owner.show();
  }
  static QPushButton* button(TCommProgress& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
  }
};
}  // namespace

TEST_F(CommProgressTest, StartsWithItsCaptionTextAndOnlyCancel) {
  TCommProgress dialog(&owner, 51, 5000, "Downloading test reports...", messages);
  EXPECT_EQ(dialog.windowTitle(), "Kalyx 5pc Communications");
  EXPECT_EQ(dialog.findChild<QLabel*>("labelProgress")->text(), "Downloading test reports...");
  EXPECT_EQ(dialog.findChild<QProgressBar*>("pbComm")->maximum(), 51);
  EXPECT_EQ(dialog.findChild<QProgressBar*>("pbComm")->value(), 0);
  EXPECT_FALSE(button(dialog, "btnOK")->isEnabled());
  EXPECT_TRUE(button(dialog, "btnCancel")->isEnabled());
  EXPECT_TRUE(dialog.timerRunning());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dialog.size(), QSize(303, 119));
}

TEST_F(CommProgressTest, ZeroTimeoutRunsNoTimer) {
  TCommProgress dialog(&owner, 10, 0, "x", messages);
  EXPECT_FALSE(dialog.timerRunning());
  dialog.restartTimeout();
  EXPECT_FALSE(dialog.timerRunning());
}

TEST_F(CommProgressTest, OtherWindowsAreDisabledWhileItShowsAndOnlyOkEndsTheFinishedState) {
  QWidget other;
  other.show();
  TCommProgress dialog(&owner, 3, 5000, "x", messages);
  dialog.show();
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_FALSE(other.isEnabled());
  EXPECT_TRUE(dialog.isEnabled());

  dialog.stepProgress();
  dialog.finishProgress();
  EXPECT_EQ(dialog.findChild<QProgressBar*>("pbComm")->value(), 3);
  EXPECT_FALSE(button(dialog, "btnCancel")->isEnabled());
  EXPECT_TRUE(button(dialog, "btnOK")->isEnabled());
  EXPECT_FALSE(dialog.timerRunning());
  dialog.close();  // the window manager's close is refused
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(owner.isEnabled());

  QTest::mouseClick(button(dialog, "btnOK"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(owner.isEnabled());
  EXPECT_TRUE(other.isEnabled());
}

TEST_F(CommProgressTest, CancelSetsTheFlagAndTheDialogStays) {
  TCommProgress dialog(&owner, 3, 5000, "x", messages);
  dialog.show();
  QTest::mouseClick(button(dialog, "btnCancel"), Qt::LeftButton);
  EXPECT_TRUE(dialog.cancelled());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.timerRunning());
  EXPECT_TRUE(messages.shown.isEmpty());
  dialog.closeProgress();
  EXPECT_TRUE(owner.isEnabled());
}

TEST_F(CommProgressTest, TheTimeOutSetsTheFlagAndShowsItsMessage) {
  TCommProgress dialog(&owner, 3, 50, "x", messages);
  dialog.show();
  ASSERT_TRUE(waitUntil([&] { return dialog.cancelled(); }, 2000));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, timeoutMessageText());
  EXPECT_EQ(messages.shown[0].caption, "Communications time out");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Warning);
  EXPECT_FALSE(dialog.timerRunning());
}

TEST_F(CommProgressTest, EachTransferGetsAFreshShownDialog) {
  CommProgressHost host(&owner, messages);
  TransferProgress& first = host.beginProgress("one", 5, 5000);
  TCommProgress* firstDialog = host.current();
  static_cast<TCommProgress&>(first).closeProgress();
  EXPECT_FALSE(firstDialog->isVisible());
  QPointer<TCommProgress> watch(firstDialog);
  host.beginProgress("two", 5, 5000);
  EXPECT_TRUE(watch.isNull());  // the previous dialog is destroyed
  EXPECT_TRUE(host.current()->isVisible());
  EXPECT_FALSE(host.current()->cancelled());
  EXPECT_FALSE(owner.isEnabled());
}

TEST_F(CommProgressTest, MinimisingTheDialogKeepsTheOtherWindowsDisabledUntilItCloses) {
  TCommProgress dialog(&owner, 3, 5000, "x", messages);
  dialog.show();
  dialog.showMinimized();
  QHideEvent minimised;  // what the window system sends when the dialog is iconified
  QApplication::sendEvent(&dialog, &minimised);
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_TRUE(dialog.timerRunning());  // the transfer's time-out still counts
  dialog.showNormal();
  dialog.closeProgress();
  EXPECT_TRUE(owner.isEnabled());
}

// A screen reader hears the dialog's text with the dialog and with its
// buttons, and again whenever it changes.
TEST_F(CommProgressTest, ItsTextGoesWithTheDialogAndItsButtonsToAScreenReader) {
  TCommProgress dialog(&owner, 10, 0, "Downloading autosequences...", messages);
  for (const QString& text : {QStringLiteral("Downloading autosequences..."), QStringLiteral("Finished downloading autosequences.")}) {
    if (text.startsWith("Finished")) dialog.setProgressText(text), dialog.finishProgress();
    EXPECT_EQ(dialog.accessibleDescription(), text);
    EXPECT_EQ(button(dialog, "btnOK")->accessibleDescription(), text);
    EXPECT_EQ(button(dialog, "btnCancel")->accessibleDescription(), text);
  }
}
