#pragma once
#include "archive/archivekind.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

class ServerDeadline;
struct DepartmentServer;
struct Sender;

// Why the archive could not be opened, read or written: the file (or the
// department's server) and the cause; or why it is open for reading only.
struct ArchiveFailure {
  enum class Kind { Unusable, Missing, ReadOnly };
  QString path;
  QString reason;
  bool department = false;  // `path` is the address of the department's archive
  Kind kind = Kind::Unusable;
  bool refused = false;  // the department's server refused the records for what they hold, not for the link
  // "The archive FILE cannot be used." (or "The department's archive ADDRESS
  // cannot be used."), the reason on the next line; "There is no archive at
  // FILE."; "The archive FILE is open for reading only.", and why.
  QString message() const;
};

// A record as the archive holds it, with its search columns.
struct ArchivedRecord {
  qint64 id = 0;
  ArchiveKind kind = ArchiveKind::TestReport;
  QString analyzer;
  QDateTime downloaded;  // UTC
  QByteArray bytes;
  QString device;
  QDateTime tested;  // the analyzer's wall-clock time, as UTC; invalid when the record holds no valid date
  QString title;
  bool passed = false;  // test reports
  int number = 0;       // the record's place in its download, from 1
};

// The order of a query's records: oldest test first, or as they arrived (by
// download and place in it, on this computer's archive and on the
// department's alike).
enum class ArchiveOrder { ByTest, ByArrival };

// Which records a query selects; the filters combine.
struct ArchiveFilter {
  QString device = {};        // part of the device I.D., any letter case
  bool wholeDevice = false;  // the device I.D. is the whole of `device`, letter case too
  QString analyzer = {};      // the analyzer's I.D., exactly
  QDate since = {}, until = {};  // test dates, both included; a record without a date is outside any range
  bool failedOnly = false;    // test reports that failed
  std::optional<ArchiveKind> kind = {};
};

// Where an archive lives: this computer's SQLite file, or the department's
// PostgreSQL server. The queries are the same; what differs between the two is
// kept in the dialect (archivedialect.h).
enum class ArchiveBackend { Local, Department };

// The program's archive: one SQLite file holding every record the analyzer gave
// up, as the program holds it, with the columns a search needs. Its schema has
// a version (PRAGMA user_version) that numbered migrations bring up to date; a
// file of a newer version is opened read-only and never migrated down, and a
// file that is damaged or not an archive is never written. Every write is one
// transaction; every query binds its values.
// One row of the device list, as read whole.
struct DeviceRow {
  QString device;
  int dutType = -1;  // the latest test report's device-under-test byte; -1 without one
  int tests = 0;     // its test reports
  QDateTime last;    // the latest test (invalid: none dated)
  int verdict = -1;  // the latest test report's: 1 pass, 0 fail, -1 without one
  // What the department keeps of the device, where it keeps anything.
  bool detailed = false;
  QString location;
  std::optional<int> intervalMonths;  // none: its type's
};

class Archive {
 public:
  // Opens the archive at `path`, bringing its schema up to date; null, with
  // `failure` saying why, for a file that is damaged (an empty one too) or no
  // archive. A file that is not there is created, whole or not at all, unless
  // `existing` says that only an archive already there is read: then it is
  // "missing" and nothing is created. A file of a newer schema, or one that this
  // account cannot write, opens read-only, `failure` saying so, and no file is
  // left beside it.
  // ReadOnly reads an archive that is there as it is: no migration, nothing written.
  enum class Opening { CreateOrUpdate, Existing, ReadOnly };
  static std::unique_ptr<Archive> open(const QString& path, ArchiveFailure* failure,
                                       Opening opening = Opening::CreateOrUpdate);
  // Opens the department's archive on its server, for reading and for receiving
  // what this computer sends; null, with `failure` saying why and what to do,
  // when the server cannot be reached, refuses the login, or holds no archive.
  // A schema newer than this program's is read as far as it goes; `failure`
  // then says that nothing will be sent to it.
  static std::unique_ptr<Archive> openDepartment(const DepartmentServer& server, ArchiveFailure* failure);
  // Creates the department's archive on its server, or brings its schema up to
  // date; never migrates down. The schema version it has then, or none.
  static std::optional<int> initDepartment(const DepartmentServer& server, ArchiveFailure* failure);
  static int knownDepartmentSchemaVersion();
  // How to open the same archive again through a connection of its own, for
  // another thread to read; it holds what it needs, so the archive may go first.
  std::function<std::unique_ptr<Archive>(ArchiveFailure*)> reopener() const;
  ~Archive();
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  const QString& path() const { return path_; }
  bool readOnly() const { return readOnly_; }
  ArchiveBackend backend() const { return backend_; }
  int schemaVersion() const;
  // Whether its device list has devices to show that the user listed and never
  // tested (this computer's archive, schema 6 on).
  bool listsDevices() const;
  static int knownSchemaVersion();

  // Stores the records of one download: new ones are added, one already kept
  // (same kind, analyzer and bytes) is counted as known. All or nothing.
  struct Stored {
    int added = 0;
    int known = 0;
  };
  std::optional<Stored> store(ArchiveKind kind, const QString& analyzerId, const QDateTime& downloaded,
                              const QList<QByteArray>& records, ArchiveFailure* failure);

  // The records the filter selects, oldest test first (the order of arrival
  // breaks ties), or as they arrived.
  QList<ArchivedRecord> records(const ArchiveFilter& filter, ArchiveFailure* failure,
                                ArchiveOrder order = ArchiveOrder::ByTest) const;
  // Runs a read of the department's archive, and once more on a connection
  // opened again where the first found the link lost (a server restarted since).
  template <class Read>
  auto readAgainIfLost(ArchiveFailure* failure, Read read) const {
    timedOut_ = false;
    auto result = read();
    // Not after a bound cut the link: the server that did not answer is not waited for twice.
    if (backend_ == ArchiveBackend::Department && !failure->reason.isEmpty() && !timedOut_ && !(cancel_ && *cancel_) &&
        linkLost()) {
      *failure = {};
      result = read();
    }
    return result;
  }
  // One device's test reports, oldest first: only what its history reads.
  struct ReportBytes {
    qint64 id = 0;
    QDateTime tested;
    QByteArray bytes;
  };
  QList<ReportBytes> testReportsOf(const QString& device, ArchiveFailure* failure) const;

  // This computer's records that wait to be sent to the department's archive
  // (every record stored here is queued, and stays queued when it is deleted
  // here before it was sent), oldest first, at most `limit`, each with its
  // entry in the queue; none of those set aside.
  struct Queued {
    qint64 entry = 0;
    ArchivedRecord record;
  };
  QList<Queued> queued(int limit, ArchiveFailure* failure) const;
  std::optional<int> queuedCount(ArchiveFailure* failure) const;
  // Takes the entries of records that the department's archive now holds out of the queue.
  bool unqueue(const QList<qint64>& entries, ArchiveFailure* failure);
  // Sets a queued record aside: the department's archive refused it for its
  // content, with `reason`. It stays here, is no longer sent with the rest, and
  // waits to be tried again.
  bool setAside(qint64 entry, const QString& reason, ArchiveFailure* failure);
  // Puts every record set aside back in the queue; how many.
  std::optional<int> queueRefusedAgain(ArchiveFailure* failure);
  struct SetAside {
    qint64 entry = 0;
    QString device;  // empty where the record was deleted here
    QString reason;
  };
  QList<SetAside> setAsideRecords(ArchiveFailure* failure) const;
  // The department's archive takes records sent by a computer, with who sent
  // them; one it holds already (sent by a colleague) is counted as known. All or
  // nothing.
  std::optional<Stored> receive(const QList<ArchivedRecord>& records, const Sender& sender, ArchiveFailure* failure);

  // Removes records; all or none.
  bool remove(const QList<qint64>& ids, ArchiveFailure* failure);

  // SQLite's integrity check ("ok" when whole) and the number of records of each kind.
  QStringList integrityCheck(ArchiveFailure* failure) const;
  std::optional<int> count(ArchiveKind kind, ArchiveFailure* failure) const;

  // The devices under test of the test reports whose device I.D. holds `filter`,
  // one row each: device I.D., device-under-test type byte, number of tests,
  // latest test (ISO date and time) and its verdict (1 pass, 0 fail), sorted by
  // that column. Executed, for a model to fetch its rows as they are shown.
  enum class DeviceColumn { Device, Type, Tests, LastTest, LastVerdict };
  QSqlQuery devices(const QString& filter, DeviceColumn sortBy, bool ascending) const;
  // The same list read whole, by device I.D., for a list held in memory (the
  // department's), with what is kept of each device; the devices listed and
  // never tested follow. Empty, with `failure`, when it could not be read whole.
  QList<DeviceRow> deviceRows(ArchiveFailure* failure) const;
  // Every test report in device order, oldest first, handed to `row` one by
  // one; false, with `failure`, when the read stops before its end (or `row`
  // returns false). On the department's server the bound is on the wait for
  // each row, so a long read is cut only when the server stops sending.
  bool eachTestReport(const std::function<bool(const QString& device, const ReportBytes& report)>& row,
                      ArchiveFailure* failure) const;

  // What the user keeps about each device (migration 5): every device's, by
  // I.D.; on the department's archive, each device's latest change.
  struct DeviceDetail {
    QString device;
    QString location;
    std::optional<int> intervalMonths;  // none: its type's
    QString note;
  };
  std::optional<QList<DeviceDetail>> deviceDetails(ArchiveFailure* failure) const;
  // Keeps the details given, all or none, each in place of what was kept of
  // its device; how many devices were new and how many changed. Each change
  // is queued for the department's archive too.
  struct DetailsKept {
    int added = 0;
    int changed = 0;
  };
  // With `editedFrom` (the details an edit began from, one for each), only the
  // fields the edit changed are put onto the details as they are now.
  std::optional<DetailsKept> keepDeviceDetails(const QList<DeviceDetail>& details, ArchiveFailure* failure,
                                               const QList<DeviceDetail>* editedFrom = nullptr);
  // Takes the department's details of each device this computer knows (by its
  // records or its details) as this computer's, where no change of this
  // computer's waits to be sent for it (that one is newer); nothing is queued.
  // All or none; how many devices changed here.
  std::optional<int> adoptDepartmentDetails(const QList<DeviceDetail>& details, ArchiveFailure* failure);

  // A change to a device's details as the user made it: its identity, when (UTC)
  // and what the details became; `entry` is its place in this computer's queue.
  struct DetailChange {
    qint64 entry = 0;
    QString changeId;
    QDateTime changed;
    DeviceDetail detail;
  };
  // The queue of changes to device details, as the records' queue: oldest
  // first, at most `limit`, none of those set aside.
  QList<DetailChange> queuedDetails(int limit, ArchiveFailure* failure) const;
  std::optional<int> queuedDetailCount(ArchiveFailure* failure) const;
  bool unqueueDetails(const QList<qint64>& entries, ArchiveFailure* failure);
  bool setDetailAside(qint64 entry, const QString& reason, ArchiveFailure* failure);
  QList<SetAside> setAsideDetails(ArchiveFailure* failure) const;
  // The department's archive takes the changes a computer sends, with who sent
  // them; a change it holds already is counted as known. All or nothing.
  std::optional<Stored> receiveDetails(const QList<DetailChange>& changes, const Sender& sender,
                                       ArchiveFailure* failure);

  QSqlDatabase database() const;
  // Work with the department's server stops at once when `cancel` is set (the
  // program is closing): what was not sent stays queued.
  void setCancel(const std::atomic<bool>* cancel) { cancel_ = cancel; }
  // The bounds on a read and on a batch of records sent to the department's
  // server (archivedialect.h gives the program's; tests give short ones).
  void setServerBounds(std::chrono::milliseconds read, std::chrono::milliseconds batch) {
    readBound_ = read, batchBound_ = batch;
  }
  // Whether a query's rows were read to their end; `failure` says why not.
  bool readWhole(const QSqlQuery& query, ArchiveFailure* failure) const;

 private:
  Archive(QString path, QString connection, bool readOnly, ArchiveBackend backend = ArchiveBackend::Local);
  ArchiveFailure failed(const QString& reason) const;
  // A query's failure: on the department's server in its own words, with what to do.
  ArchiveFailure queryFailed(const QSqlQuery& query) const;
  QList<ArchivedRecord> recordsOnce(const ArchiveFilter& filter, ArchiveFailure* failure, ArchiveOrder order) const;
  QList<ReportBytes> testReportsOnce(const QString& device, ArchiveFailure* failure) const;
  // Whether the department's archive takes what this computer sends now (its
  // link opened again where it was lost); false, with `failure`, when not.
  bool canReceive(ArchiveFailure* failure);
  // Runs `send` in one transaction on the department's server, bounded as a
  // batch is; `send` gives the failed statement's error and false to roll it
  // all back. None then, with `failure` saying why and that the `waiting` wait
  // on this computer (`refused` where the server refused what they hold).
  std::optional<Stored> receiveInOneTransaction(const QString& waiting,
                                                const std::function<bool(Stored& stored, QSqlError& error)>& send,
                                                ArchiveFailure* failure);
  // The entries a query of a queue gives as set aside: entry, device, reason.
  QList<SetAside> setAsideIn(const QString& query, ArchiveFailure* failure) const;
  // A bound on one operation with the department's server; none on this computer's archive.
  std::unique_ptr<ServerDeadline> watch(std::chrono::milliseconds bound) const;
  // Says a failure as the time-out or the cancellation it was, where the bound cut the link.
  void saidOfCut(const ServerDeadline* bound, ArchiveFailure* failure) const;
  // A department connection that was lost (a server restarted, a bound that cut
  // it) is opened again; false, with `failure`, when it cannot be.
  bool reconnectIfLost(ArchiveFailure* failure) const;
  // Whether the department's connection is lost (a server restarted since, a cut).
  bool linkLost() const;
  // Whether the archive keeps the device I.D. case-folded for its filter (a
  // department's archive set up by an older version does not).
  bool foldedColumn() const { return backend_ == ArchiveBackend::Local || schema_ >= 2; }

  QString path_;
  QString connection_;
  bool readOnly_ = false;
  ArchiveBackend backend_ = ArchiveBackend::Local;
  bool receiving_ = false;  // the department's schema is one this program may write
  int schema_ = 0;          // the department's schema version
  mutable bool lost_ = false;  // the department's connection was cut and must be opened again
  mutable bool timedOut_ = false;  // the last read ended at its bound
  const std::atomic<bool>* cancel_ = nullptr;
  std::chrono::milliseconds readBound_;
  std::chrono::milliseconds batchBound_;
};
