#include "core/fileprompts.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

#include "core/usermessages.h"

namespace {
// An open dialog that takes one file: names typed together ("a.csv" "b.csv")
// are refused with a word, and the dialog stays for the user to choose one.
class OneFileDialog : public QFileDialog {
 public:
  OneFileDialog(QWidget* owner, const QString& folder, const QString& filter, UserMessages* messages)
      : QFileDialog(owner, QString(), folder, filter), messages_(messages) {}

  void accept() override {
    const qsizetype named = typedNames();
    if (fileMode() == ExistingFile && named > 1) {
      if (messages_)
        messages_->show(QStringLiteral("Only one file can be opened here. Choose one of the %1 files named.").arg(named),
                        QStringLiteral("Open"), UserMessages::Icon::Warning);
      return;
    }
    // The list keeps what earlier typing selected in it: the name typed is the one chosen.
    const auto* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (fileMode() == ExistingFile && box && !box->text().isEmpty() && !box->text().contains(QLatin1Char('"')))
      selectFile(box->text());
    QFileDialog::accept();
  }

 private:
  // The names typed into the file name box: several are quoted, "a.csv" "b.csv".
  qsizetype typedNames() const {
    const auto* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!box || !box->text().contains(QLatin1Char('"'))) return 1;
    const QStringList parts = box->text().split(QLatin1Char('"'));
    qsizetype names = 0;
    for (qsizetype i = 1; i < parts.size(); i += 2) names += !parts[i].trimmed().isEmpty();
    return names;
  }

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
