#include "core/fileprompts.h"

#include <QDir>
#include <QFileDialog>

QStringList QtFilePrompts::openFiles(QWidget* owner, const QString& folder, const QString& filter,
                                     const QString& defaultSuffix) {
  QFileDialog dialog(owner, QString(), folder, filter);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(defaultSuffix);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
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
