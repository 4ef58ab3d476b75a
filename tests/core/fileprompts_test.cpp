#include "core/fileprompts.h"

#include <QApplication>
#include <QFileDialog>
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
