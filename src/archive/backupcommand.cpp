#include "archive/backupcommand.h"

#include "archive/archive.h"
#include "archive/archivebackup.h"
#include "core/fileprompts.h"
#include "core/names.h"
#include "core/paths.h"
#include "core/usermessages.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

void backUpArchiveInteractively(QWidget* owner, const AppServices& services, const QString& archivePath) {
  const QString caption = QStringLiteral("Back Up Archive");
  if (!QFileInfo::exists(archivePath)) {
    services.messages->show(QStringLiteral("There is no archive at %1 yet: nothing to back up.")
                                .arg(QDir::toNativeSeparators(archivePath)),
                            caption, UserMessages::Icon::Information);
    return;
  }
  const QString proposed = QStringLiteral("%1 archive %2.sqlite")
                               .arg(productName(), QDate::currentDate().toString(Qt::ISODate));
  const QString target = services.files->saveFile(owner, QDir::homePath(), proposed,
                                                  QStringLiteral("Archive Backups (*.sqlite);;All Files (*)"),
                                                  QStringLiteral("sqlite"));
  if (target.isEmpty()) return;
  QProgressDialog progress(QStringLiteral("Backing up the archive..."), QString(), 0, 100, owner);
  progress.setObjectName(QStringLiteral("dlgArchiveBackup"));
  progress.setWindowTitle(caption);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  ArchiveFailure failure;
  const bool done = backUpArchive(archivePath, target, [&progress](int percent) { progress.setValue(percent); }, &failure);
  progress.reset();
  if (done)
    services.messages->show(QStringLiteral("The archive is backed up in %1.").arg(QDir::toNativeSeparators(target)),
                            caption, UserMessages::Icon::Information);
  else
    services.messages->show(QStringLiteral("The archive could not be backed up in %1.\n%2")
                                .arg(QDir::toNativeSeparators(target), failure.reason),
                            caption, UserMessages::Icon::Error);
}
