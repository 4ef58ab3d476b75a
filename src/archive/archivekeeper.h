#pragma once
#include "archive/archive.h"
#include "core/recordkeeper.h"

#include <QSet>
#include <functional>
#include <memory>

class SettingsFile;
class UserMessages;

// Keeps every download and capture in the archive while the settings say so
// ([Archive] AUTOMATIC, on unless it is 0). The archive is opened at the first
// use. What cannot be kept (a full disk, a file that cannot be written, a
// damaged archive) is said in one message naming the file and the cause, once
// for each cause in a run; the download itself stands as it is. A capture,
// which reads no system information, is kept under the analyzer I.D. of the
// run's last download.
class ArchiveKeeper : public RecordKeeper {
 public:
  ArchiveKeeper(QString path, SettingsFile& settings, UserMessages& messages,
                std::function<QDateTime()> clock = [] { return QDateTime::currentDateTimeUtc(); });
  ~ArchiveKeeper() override;

  void keep(ArchiveKind kind, const QString& analyzerId, const QList<QByteArray>& records) override;

  bool keeping() const override;
  void setKeeping(bool on) override;

  const QString& path() const { return path_; }
  // The archive, opened now if it was not; null when it cannot be opened (said once).
  Archive* archive();
  // What the last keep stored: how many records were new and how many known.
  std::optional<Archive::Stored> lastStored() const { return lastStored_; }
  // Why the archive could not be opened, when it could not.
  const ArchiveFailure& openFailure() const { return openFailure_; }
  // Called after records were stored (the Archive window shows them).
  std::function<void()> stored;

 private:
  void tell(const ArchiveFailure& failure);

  QString path_;
  SettingsFile& settings_;
  UserMessages& messages_;
  std::function<QDateTime()> clock_;
  std::unique_ptr<Archive> archive_;
  bool opened_ = false;
  QString lastAnalyzer_;
  std::optional<Archive::Stored> lastStored_;
  ArchiveFailure openFailure_;
  QSet<QString> told_;
};

// What a keep did, for the status bar: "12 test reports kept in the archive, 3 new".
QString keptText(ArchiveKind kind, int kept, int added);
