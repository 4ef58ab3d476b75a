#include "core/fileprompts.h"

#include <QDir>
#include <QFileDialog>

#include "core/usermessages.h"

namespace {
// An open dialog that takes one file: names typed together ("a.csv" "b.csv")
// are refused with a word, and the dialog stays for the user to choose one.
class OneFileDialog : public QFileDialog {
 public:
  OneFileDialog(QWidget* owner, const QString& folder, const QString& filter, UserMessages* messages)
      : QFileDialog(owner, QString(), folder, filter), messages_(messages) {}

  void accept() override {
    if (fileMode() == ExistingFile && selectedFiles().size() > 1) {
      if (messages_)
        messages_->show(QStringLiteral("Only one file can be opened here. Choose one of the %1 files named.")
                            .arg(selectedFiles().size()),
                        QStringLiteral("Open"), UserMessages::Icon::Warning);
      return;
    }
    QFileDialog::accept();
  }

 private:
  UserMessages* messages_;
};

QStringList askToOpen(QFileDialog::FileMode mode, QWidget* owner, const QString& folder, const QString& filter,
                      const QString& defaultSuffix, UserMessages* messages) {
  OneFileDialog dialog(owner, folder, filter, messages);
  dialog.setFileMode(mode);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(defaultSuffix);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}
}  // namespace

QStringList QtFilePrompts::openFiles(QWidget* owner, const QString& folder, const QString& filter,
                                     const QString& defaultSuffix) {
  return askToOpen(QFileDialog::ExistingFiles, owner, folder, filter, defaultSuffix, messages_);
}

QString QtFilePrompts::openFile(QWidget* owner, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
  return askToOpen(QFileDialog::ExistingFile, owner, folder, filter, defaultSuffix, messages_).value(0);
}

QString QtFilePrompts::saveFile(QWidget* owner, const QString& folder, const QString& proposedName,
                                const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(owner, QString(), QDir(folder).filePath(proposedName), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

QString QtFilePrompts::chooseFolder(QWidget* owner, const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(owner, title, folder, QFileDialog::ShowDirsOnly);
}
