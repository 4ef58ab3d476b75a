#include "core/fileprompts.h"
#include "support/recordingmessages.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

// The platform's open dialog lets the user pick several files or only one, as asked.
TEST(QtFilePromptsTest, OpenAsksForSeveralFilesOrForOne) {
  QtFilePrompts prompts;
  const auto modeShown = [](const std::function<void()>& ask) {
    QFileDialog::FileMode mode = QFileDialog::Directory;
    QTimer::singleShot(0, [&mode] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        mode = dialog->fileMode();
        dialog->reject();
      }
    });
    ask();
    return mode;
  };
  EXPECT_EQ(modeShown([&] { EXPECT_TRUE(prompts.openFiles(nullptr, {}, "All Files (*)", {}).isEmpty()); }),
            QFileDialog::ExistingFiles);
  EXPECT_EQ(modeShown([&] { EXPECT_TRUE(prompts.openFile(nullptr, {}, "All Files (*)", {}).isEmpty()); }),
            QFileDialog::ExistingFile);
}

// Two names typed into the open dialog for one file are refused with a word,
// not opened as the first of them; one name then opens.
TEST(QtFilePromptsTest, OpenForOneFileRefusesTwoNamesTyped) {
  QTemporaryDir dir;
  for (const char* name : {"a.csv", "b.csv"}) writeAll(dir.filePath(name), "x");
  RecordingMessages messages;
  QtFilePrompts prompts(&messages);
  bool stayed = false;
  QTimer answer;  // answers the dialog once it shows, as a user typing would
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
    if (!name) return;
    answer.stop();
    name->setText("\"a.csv\" \"b.csv\"");
    QMetaObject::invokeMethod(dialog, "accept");  // Open, as the button does
    stayed = dialog->isVisible();
    name->setText("b.csv");
    QMetaObject::invokeMethod(dialog, "accept");
    if (dialog->isVisible()) dialog->reject();
  });
  answer.start();
  EXPECT_EQ(prompts.openFile(nullptr, dir.path(), "All Files (*)", {}), dir.filePath("b.csv"));
  EXPECT_TRUE(stayed);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Only one file can be opened here. Choose one of the 2 files named.");
}
