#pragma once
#include <QByteArray>
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
std::optional<SaveFailure> writeAndCommit(QSaveFile& file, const QByteArray& bytes);
