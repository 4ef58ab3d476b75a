#pragma once
#include <QString>
#include <QStringList>

class QWidget;
class UserMessages;

// The open and save dialogs and the folder chooser. Each returns an empty text
// (or list) when the user cancels.
class FilePrompts {
 public:
  virtual ~FilePrompts() = default;
  // Filters are given as "Text Files (*.txt);;All Files (*.*)".
  virtual QStringList openFiles(QWidget* owner, const QString& folder, const QString& filter,
                                const QString& defaultSuffix) = 0;
  // An open dialog that lets the user pick one file.
  virtual QString openFile(QWidget* owner, const QString& folder, const QString& filter,
                           const QString& defaultSuffix) = 0;
  // Asks before overwriting an existing file.
  virtual QString saveFile(QWidget* owner, const QString& folder, const QString& proposedName, const QString& filter,
                           const QString& defaultSuffix) = 0;
  virtual QString chooseFolder(QWidget* owner, const QString& title, const QString& folder) = 0;
};

// The platform's dialogs, through QFileDialog. An open dialog for one file
// refuses several names typed at once, saying so through `messages` (when
// given), rather than open the first of them without a word.
class QtFilePrompts : public FilePrompts {
 public:
  explicit QtFilePrompts(UserMessages* messages = nullptr) : messages_(messages) {}
  QStringList openFiles(QWidget* owner, const QString& folder, const QString& filter,
                        const QString& defaultSuffix) override;
  QString openFile(QWidget* owner, const QString& folder, const QString& filter,
                   const QString& defaultSuffix) override;
  QString saveFile(QWidget* owner, const QString& folder, const QString& proposedName, const QString& filter,
                   const QString& defaultSuffix) override;
  QString chooseFolder(QWidget* owner, const QString& title, const QString& folder) override;

 private:
  UserMessages* messages_;
};
