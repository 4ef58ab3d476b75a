#include "archive/archivebackup.h"

#include "archive/archive.h"
#include "core/filesync.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <filesystem>

namespace {
// Whether `target` names the live archive or one of the files SQLite keeps beside it.
bool isTheArchive(const QString& source, const QString& target) {
  const QString live = QFileInfo(source).canonicalFilePath();
  QFileInfo named(target);
  const QString path = named.exists() ? named.canonicalFilePath()
                                      : QFileInfo(named.absolutePath()).canonicalFilePath() + QLatin1Char('/') + named.fileName();
  for (const char* suffix : {"", "-wal", "-shm", "-journal"})
    if (path == live + QLatin1String(suffix)) return true;
  return false;
}

std::filesystem::path nativePath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Copies the archive into `copy` in one read transaction (SQLite's VACUUM
// INTO): what it writes is consistent at one moment. The archive is read as it
// is (an older one is not brought up to date) and nothing is left beside it;
// VACUUM INTO only reads it, even where the connection otherwise refuses every
// change.
QString writeCopy(const QString& source, const QString& copy) {
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(source, &failure, Archive::Opening::ReadOnly);
  if (!archive) return failure.reason;
  QSqlDatabase db = archive->database();
  QSqlQuery query(db);
  query.exec(QStringLiteral("PRAGMA query_only=0"));
  query.prepare(QStringLiteral("VACUUM INTO ?"));
  query.addBindValue(copy);
  if (!query.exec()) return query.lastError().databaseText();
  return QString();
}
}  // namespace

bool backUpArchive(const QString& source, const QString& target, const std::function<void(int)>& progress,
                   ArchiveFailure* failure) {
  const auto failed = [&](const QString& reason) {
    *failure = {target, reason};
    return false;
  };
  if (!QFileInfo::exists(source)) return failed(QStringLiteral("There is no archive at %1.").arg(QDir::toNativeSeparators(source)));
  if (isTheArchive(source, target))
    return failed(QStringLiteral("That is the archive itself: a backup goes into a file of its own."));
  const QString folder = QFileInfo(target).absolutePath();
  if (!QDir().mkpath(folder)) return failed(QStringLiteral("Its folder cannot be made."));
  const QString copy = QFileInfo(target).absoluteFilePath() +
                       QStringLiteral(".part-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
  const auto removeCopy = [&copy] {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(copy + QLatin1String(suffix));
  };

  // The copy is written on a thread of its own while this one reports how far it got.
  QString error;
  QThread* writer = QThread::create([&] { error = writeCopy(source, copy); });
  writer->start();
  const qint64 total = qMax<qint64>(1, QFileInfo(source).size());
  while (!writer->wait(100)) {
    if (progress) progress(int(qMin<qint64>(99, QFileInfo(copy).size() * 100 / total)));
    QCoreApplication::processEvents();
  }
  delete writer;

  if (error.isEmpty() && !syncFileToDisk(copy)) error = QStringLiteral("the copy could not be put on the disk");
  if (error.isEmpty()) {
    std::error_code renamed;
    std::filesystem::rename(nativePath(copy), nativePath(target), renamed);
    if (renamed) error = QString::fromLocal8Bit(renamed.message());
  }
  removeCopy();
  if (!error.isEmpty())
    return failed(error.endsWith(QLatin1Char('.')) ? QStringLiteral("No backup was made. %1").arg(error)
                                                   : QStringLiteral("No backup was made: %1.").arg(error));
  if (progress) progress(100);
  return true;
}
