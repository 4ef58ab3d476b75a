#include "core/savefile.h"

#include <QDir>
#include <QSaveFile>

namespace {
bool injecting = false;
std::optional<SaveFault> injectedFault;
QList<SaveRecord> savesMade;

// A save file that fails as a full disk or a vanished folder would: at open, or
// once `limit` bytes have gone to the disk.
class FaultySaveFile : public QSaveFile {
 public:
  FaultySaveFile(const QString& path, const SaveFault& fault) : QSaveFile(path), fault_(fault) {}

  bool open(OpenMode mode) override {
    if (fault_.point == SaveFault::Point::Open) {
      setErrorString(QStringLiteral("The file could not be created (injected failure)."));
      return false;
    }
    return QSaveFile::open(mode);
  }

 protected:
  qint64 writeData(const char* data, qint64 size) override {
    if (fault_.point != SaveFault::Point::Write || written_ + size <= fault_.byte) {
      const qint64 n = QSaveFile::writeData(data, size);
      if (n > 0) written_ += n;
      return n;
    }
    const qint64 room = fault_.byte - written_;
    if (room > 0) written_ += QSaveFile::writeData(data, room);
    setErrorString(QStringLiteral("No space left on device (injected failure)."));
    return -1;
  }

 private:
  SaveFault fault_;
  qint64 written_ = 0;
};
}  // namespace

QString SaveFailure::message() const {
  return QStringLiteral("Cannot write the file %1.\n%2").arg(QDir::toNativeSeparators(path), reason);
}

std::optional<SaveFailure> writeAndCommit(QSaveFile& file, const QByteArray& bytes, bool failCommit) {
  if (!file.open(QIODevice::WriteOnly)) return SaveFailure{file.fileName(), file.errorString()};
  const auto fail = [&file](const QString& reason) {
    file.cancelWriting();
    file.commit();  // after cancelWriting this only removes the temporary file
    return SaveFailure{file.fileName(), reason};
  };
  if (file.write(bytes) != bytes.size()) return fail(file.errorString());
  if (!file.flush()) return fail(file.errorString());
  if (failCommit) return fail(QStringLiteral("The file could not be renamed into place (injected failure)."));
  if (!file.commit()) return SaveFailure{file.fileName(), file.errorString()};
  return std::nullopt;
}

std::optional<SaveFailure> saveWholeFile(const QString& path, const QByteArray& bytes) {
  const qsizetype save = savesMade.size();
  if (injecting) savesMade.append({path, bytes.size()});
  if (injecting && injectedFault && injectedFault->save == save) {
    FaultySaveFile file(path, *injectedFault);
    return writeAndCommit(file, bytes, injectedFault->point == SaveFault::Point::Commit);
  }
  QSaveFile file(path);
  return writeAndCommit(file, bytes);
}

void injectSaveFault(const std::optional<SaveFault>& fault) {
  injecting = true;
  injectedFault = fault;
  savesMade.clear();
}

void endSaveInjection() {
  injecting = false;
  injectedFault.reset();
  savesMade.clear();
}

QList<SaveRecord> savesSinceInjection() { return savesMade; }
