#include "core/fileprompts.h"

#include <QDir>
#include <QFileDialog>

namespace {
QStringList askToOpen(QFileDialog::FileMode mode, QWidget* owner, const QString& folder, const QString& filter,
                      const QString& defaultSuffix) {
  QFileDialog dialog(owner, QString(), folder, filter);
  dialog.setFileMode(mode);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(defaultSuffix);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}
}  // namespace

QStringList QtFilePrompts::openFiles(QWidget* owner, const QString& folder, const QString& filter,
                                     const QString& defaultSuffix) {
  return askToOpen(QFileDialog::ExistingFiles, owner, folder, filter, defaultSuffix);
}

QString QtFilePrompts::openFile(QWidget* owner, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) {
  return askToOpen(QFileDialog::ExistingFile, owner, folder, filter, defaultSuffix).value(0);
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
