#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class QSaveFile;

// A file that could not be written, with the system's reason.
struct SaveFailure {
  QString path;
  QString reason;
  // "Cannot write the file PATH." and the reason on the next line.
  QString message() const;
};

// Every file the program writes goes through here. The bytes go to a temporary
// file beside the target, which is renamed into place only when every byte is
// known to be on the disk; on any failure the old file stays whole, no temporary
// file is left behind, and the failure is returned.
std::optional<SaveFailure> saveWholeFile(const QString& path, const QByteArray& bytes);

// The same on a save file the caller made (tests hand in one that fails).
// Qt's commit() alone reports success after a failed write on a full disk, so
// the write and the flush are checked first and a failure cancels the commit.
std::optional<SaveFailure> writeAndCommit(QSaveFile& file, const QByteArray& bytes, bool failCommit = false);

// A failure to put into the saves that follow, so that tests can fail every
// save of every kind at every point: the save numbered `save` (from 0, counted
// from the injection) fails when its file is opened, after `byte` bytes have
// been written, or at the commit. The program itself never injects one.
struct SaveFault {
  enum class Point { Open, Write, Commit };
  int save = 0;
  Point point = Point::Open;
  qint64 byte = 0;
};
// Starts counting and recording the saves, with a fault or none.
void injectSaveFault(const std::optional<SaveFault>& fault);
// Stops: saves run as they are and nothing is recorded.
void endSaveInjection();

// The saves made since the last injection, in order: each target and its size.
struct SaveRecord {
  QString path;
  qint64 size = 0;
};
QList<SaveRecord> savesSinceInjection();
