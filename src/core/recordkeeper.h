#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// The kinds of record the analyzer gives up that are kept beyond the lists. The
// numbers are stored in the archive and never change.
enum class ArchiveKind { TestReport = 1, WaveRecord = 2, Capture = 3 };

// Where the frames and the command-line program hand every record the analyzer
// gave up, once its transfer has succeeded, to be kept (the archive). Keeping
// never fails the transfer: a keeper says itself what it could not keep.
class RecordKeeper {
 public:
  virtual ~RecordKeeper() = default;
  // The records of one download or capture, as the program holds them (test and
  // wave records in host order, a capture block as received), with the I.D. of
  // the analyzer that sent them; empty for a capture, which reads none.
  virtual void keep(ArchiveKind kind, const QString& analyzerId, const QList<QByteArray>& records) = 0;
  // Whether records are kept; the user may turn it off and on.
  virtual bool keeping() const = 0;
  virtual void setKeeping(bool on) = 0;
  // Called with what a keep did, in a sentence for the status bar: "12 test
  // reports kept in the archive, 3 new".
  std::function<void(const QString& sentence)> reported;
};
