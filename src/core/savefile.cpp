#include "savefile.h"

#include <QDir>
#include <QSaveFile>

QString SaveFailure::message() const {
  return QStringLiteral("Cannot write the file %1.\n%2").arg(QDir::toNativeSeparators(path), reason);
}

std::optional<SaveFailure> writeAndCommit(QSaveFile& file, const QByteArray& bytes) {
  if (!file.open(QIODevice::WriteOnly)) return SaveFailure{file.fileName(), file.errorString()};
  const auto fail = [&file] {
    const QString reason = file.errorString();
    file.cancelWriting();
    file.commit();  // after cancelWriting this only removes the temporary file
    return SaveFailure{file.fileName(), reason};
  };
  if (file.write(bytes) != bytes.size()) return fail();
  if (!file.flush()) return fail();
  if (!file.commit()) return SaveFailure{file.fileName(), file.errorString()};
  return std::nullopt;
}

std::optional<SaveFailure> saveWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  return writeAndCommit(file, bytes);
}
