#pragma once
#include "core/fileprompts.h"

#include <QList>

// File dialogs that answer from a script and remember what they were asked.
class ScriptedFilePrompts : public FilePrompts {
 public:
  QStringList openFiles(QWidget*, const QString& folder, const QString& filter, const QString& suffix) override {
    asked.append({QStringLiteral("open"), folder, filter, suffix});
    return openAnswer;
  }
  QString openFile(QWidget*, const QString& folder, const QString& filter, const QString& suffix) override {
    asked.append({QStringLiteral("open one"), folder, filter, suffix});
    return openAnswer.value(0);
  }
  QString saveFile(QWidget*, const QString& folder, const QString& proposed, const QString& filter,
                   const QString& suffix) override {
    asked.append({QStringLiteral("save"), folder, filter, suffix, proposed});
    return saveAnswer;
  }
  QString chooseFolder(QWidget*, const QString& title, const QString& folder) override {
    asked.append({QStringLiteral("folder"), folder, title});
    return folderAnswer;
  }

  QStringList openAnswer;
  QString saveAnswer;
  QString folderAnswer;
  QList<QStringList> asked;  // kind, initial folder, then the dialog's own details
};
