// The archive on real SQLite files: what it keeps, once; what it finds again;
// and files it must never write.
#include "archive/archive.h"
#include "archive/archivebackup.h"
#include "archive/archivedialect.h"
#include "archive/archivekeeper.h"
#include "archive/archivelocation.h"
#include "core/paths.h"
#include "core/settingsfile.h"
#include "archive/devicehistory.h"
#include "support/damagedarchive.h"
#include "support/fulldisk.h"
#include "support/recordingmessages.h"
#include "support/testfiles.h"
#include "support/testreportbuilders.h"
#include "support/wavebuilders.h"
#include "waveform/samplewaves.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testrec;

namespace {
QByteArray bytesOf(const TTestRec& rec) { return QByteArray(rec.data(), TTestRec::Size); }

QByteArray report(const char* id, DateTimeBytes when, bool pass = true) {
  TTestRec rec = makeTestRec(id, when, 2, DutDefibrillator);
  setEntryAt(rec, 0, EnergyEntry{.targetEnergy = 2000, .result = quint8(pass ? Pass : Fail)});
  return bytesOf(rec);
}

const QDateTime kDownloaded(QDate(2026, 12, 1), QTime(9, 30), Qt::UTC);

class ArchiveTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath("archive.sqlite");

  std::unique_ptr<Archive> open(const QString& file) {
    ArchiveFailure failure;
    std::unique_ptr<Archive> archive = Archive::open(file, &failure);
    EXPECT_TRUE(archive) << failure.message().toStdString();
    return archive;
  }
  Archive::Stored store(Archive& archive, const QList<QByteArray>& reports, const QString& analyzer = "A1234567") {
    ArchiveFailure failure;
    const auto stored = archive.store(ArchiveKind::TestReport, analyzer, kDownloaded, reports, &failure);
    EXPECT_TRUE(stored) << failure.message().toStdString();
    return stored.value_or(Archive::Stored{-1, -1});
  }
  QList<ArchivedRecord> find(Archive& archive, const ArchiveFilter& filter = {}) {
    ArchiveFailure failure;
    return archive.records(filter, &failure);
  }
};
}  // namespace

TEST_F(ArchiveTest, ARecordDownloadedAgainIsKeptOnceAndTheCountsSaySo) {
  auto archive = open(path);
  const QByteArray a = report("A", {1, 2, 25, 9, 0, 0}), b = report("B", {2, 2, 25, 9, 0, 0});
  const Archive::Stored first = store(*archive, {a, b});
  EXPECT_EQ(first.added, 2);
  EXPECT_EQ(first.known, 0);
  const Archive::Stored again = store(*archive, {a, b, report("C", {3, 2, 25, 9, 0, 0})});
  EXPECT_EQ(again.added, 1);
  EXPECT_EQ(again.known, 2);
  EXPECT_EQ(store(*archive, {a}, "OTHER-ANALYZER").added, 1);  // another analyzer's record is another record
  ArchiveFailure failure;
  EXPECT_EQ(archive->count(ArchiveKind::TestReport, &failure), 4);
  EXPECT_EQ(archive->count(ArchiveKind::WaveRecord, &failure), 0);
}

TEST_F(ArchiveTest, ARecordComesBackByteForByteWithItsColumns) {
  auto archive = open(path);
  const QByteArray bytes = report("ICU-7", {5, 3, 25, 14, 5, 9}, false);
  store(*archive, {bytes});
  const QList<ArchivedRecord> found = find(*archive);
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0].bytes, bytes);
  EXPECT_EQ(found[0].kind, ArchiveKind::TestReport);
  EXPECT_EQ(found[0].analyzer, "A1234567");
  EXPECT_EQ(found[0].device, "ICU-7");
  EXPECT_EQ(found[0].tested, QDateTime(QDate(2025, 3, 5), QTime(14, 5, 9), Qt::UTC));
  EXPECT_EQ(found[0].downloaded, kDownloaded);
  EXPECT_EQ(found[0].title, "Autosequence 2");
  EXPECT_FALSE(found[0].passed);
  // The device list's type is the device-under-test byte, its verdict the report's.
  TTestRec aed = makeTestRec("AED-3", {6, 3, 25, 9, 0, 0}, 7, DutAed);
  store(*archive, {bytesOf(aed)});
  QSqlQuery devices = archive->devices("AED", Archive::DeviceColumn::Device, true);
  ASSERT_TRUE(devices.next());
  EXPECT_EQ(devices.value(1).toInt(), DutAed);
  EXPECT_EQ(find(*archive, {.device = "AED-3"})[0].title, "Autosequence 7");
}

// A download is kept in one transaction: a record refused part way leaves none
// of it, in the archive or in the queue.
TEST_F(ArchiveTest, ADownloadIsKeptWholeOrNotAtAll) {
  auto archive = open(path);
  QSqlQuery refuse(archive->database());
  ASSERT_TRUE(refuse.exec("CREATE TEMP TRIGGER refuse_c BEFORE INSERT ON record WHEN NEW.device = 'C' "
                          "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  ArchiveFailure failure;
  EXPECT_FALSE(archive->store(ArchiveKind::TestReport, "A1", kDownloaded,
                              {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0}),
                               report("C", {3, 2, 25, 9, 0, 0}), report("D", {4, 2, 25, 9, 0, 0})},
                              &failure));
  EXPECT_TRUE(failure.reason.contains("refused")) << failure.reason.toStdString();
  EXPECT_EQ(archive->count(ArchiveKind::TestReport, &failure), 0);
  EXPECT_EQ(archive->queuedCount(&failure), 0);
}

// Device I.D.s as an analyzer may hold them: quotes, SQL, control characters,
// bytes above 127. Each is stored, found by its own text and comes back whole.
TEST_F(ArchiveTest, UntrustedDeviceIdsAreStoredAndFoundBackByteForByte) {
  auto archive = open(path);
  const char* ids[] = {"O'Brien \"7\"", "x'); DROP TABLE record;--", "50%_off\\", "tab\tbell\a", "\xC4\xE9\xFF\x81\x9D"};
  QList<QByteArray> reports;
  for (const char* id : ids) reports << report(id, {1, 1, 25, 8, 0, 0});
  EXPECT_EQ(store(*archive, reports).added, 5);
  for (int i = 0; i < 5; ++i) {
    const TTestRec rec = testRecFromBytes(reports[i].constData());
    ArchiveFilter filter;
    filter.device = deviceIdText(rec);
    const QList<ArchivedRecord> found = find(*archive, filter);
    ASSERT_EQ(found.size(), 1) << i;
    EXPECT_EQ(found[0].bytes, reports[i]);
    EXPECT_EQ(found[0].device, filter.device);
  }
  for (const char* wildcard : {"%", "_"}) EXPECT_EQ(find(*archive, {.device = wildcard}).size(), 1) << wildcard;
  EXPECT_EQ(find(*archive).size(), 5);  // nothing was dropped
  // Each device's own records by its whole I.D., as the window and the history
  // read them: "ER-1" is not "ER-10".
  store(*archive, {report("ER-1", {1, 1, 25, 8, 0, 0}), report("ER-10", {1, 1, 25, 8, 0, 0})});
  for (const QByteArray& bytes : reports + QList<QByteArray>{report("ER-1", {1, 1, 25, 8, 0, 0})}) {
    const QString id = deviceIdText(testRecFromBytes(bytes.constData()));
    ArchiveFailure failure;
    EXPECT_EQ(find(*archive, {.device = id, .wholeDevice = true}).size(), 1) << id.toStdString();
    EXPECT_EQ(deviceTests(*archive, id, &failure).size(), 1) << id.toStdString();
  }
}

TEST_F(ArchiveTest, FiltersCombine) {
  auto archive = open(path);
  store(*archive, {report("ER-1", {10, 1, 25, 8, 0, 0}), report("ER-2", {10, 6, 25, 8, 0, 0}, false),
                   report("ICU-1", {10, 6, 25, 9, 0, 0}, false)});
  store(*archive, {report("ER-3", {1, 1, 26, 8, 0, 0})}, "B7654321");
  ArchiveFailure failure;
  const auto waves = archive->store(ArchiveKind::WaveRecord, "A1234567", kDownloaded,
                                    {QByteArray(makeWaveRecord("ER-W", {10, 6, 25, 8, 0, 0}, 0x11).data(), 1314)},
                                    &failure);
  ASSERT_TRUE(waves);
  const auto devices = [&](ArchiveFilter filter) {
    QStringList names;
    for (const ArchivedRecord& r : find(*archive, filter)) names << r.device;
    return names;
  };
  const struct {
    ArchiveFilter filter;
    QStringList devices;
  } cases[] = {
      {{.device = "er-"}, {"ER-1", "ER-2", "ER-W", "ER-3"}},
      {{.device = "ER", .analyzer = "B7654321"}, {"ER-3"}},
      {{.since = QDate(2025, 6, 10), .until = QDate(2025, 6, 10)}, {"ER-2", "ER-W", "ICU-1"}},
      {{.device = "ER", .since = QDate(2025, 6, 1), .failedOnly = true}, {"ER-2"}},
      {{.kind = ArchiveKind::WaveRecord}, {"ER-W"}},
      {{.until = QDate(2025, 1, 9)}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(devices(c.filter), c.devices);
}

TEST_F(ArchiveTest, DeletingRemovesOnlyTheRecordsNamed) {
  auto archive = open(path);
  store(*archive, {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0}), report("C", {3, 2, 25, 9, 0, 0})});
  const QList<ArchivedRecord> all = find(*archive);
  ArchiveFailure failure;
  ASSERT_TRUE(archive->remove({all[0].id, all[2].id}, &failure));
  ASSERT_EQ(find(*archive).size(), 1);
  EXPECT_EQ(find(*archive)[0].device, "B");
}

// Every record kept waits to be sent to the department's archive; one deleted
// before it was sent leaves the queue with it; an archive made before the queue
// existed queues what it held when it is brought up to date.
TEST_F(ArchiveTest, KeptRecordsWaitToBeSentAndDeletedOnesLeaveTheQueue) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "first-schema");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    for (const QString& statement : archivesql::statementsOf(ArchiveBackend::Local, "0001-records.sql"))
      ASSERT_TRUE(QSqlQuery(db).exec(statement)) << statement.toStdString();
    QSqlQuery(db).exec(QString("PRAGMA application_id=%1").arg(0x4B354152));
    QSqlQuery(db).exec("PRAGMA user_version=1");
    QSqlQuery old(db);
    old.prepare("INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, number, title) "
                "VALUES (1, 'A1', x'00', ?, '2025-01-01T00:00:00Z', 'OLD', 1, 'Manual')");
    old.addBindValue(report("OLD", {1, 1, 25, 9, 0, 0}));
    ASSERT_TRUE(old.exec());
    db.close();
  }
  QSqlDatabase::removeDatabase("first-schema");
  auto archive = open(path);
  ArchiveFailure failure;
  EXPECT_EQ(archive->queuedCount(&failure), 1);
  store(*archive, {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0})});
  EXPECT_EQ(archive->queuedCount(&failure), 3);
  const QList<Archive::Queued> read = archive->queued(10, &failure);  // as a sending reads them
  // B, deleted while the sending runs, leaves the queue; C, stored meanwhile,
  // takes B's id but a queue entry of its own, which the sending leaves alone.
  const QList<ArchivedRecord> b = find(*archive, {.device = "B"});
  ASSERT_TRUE(archive->remove({b[0].id}, &failure));
  store(*archive, {report("C", {3, 2, 25, 9, 0, 0})});
  QList<qint64> entries;
  for (const Archive::Queued& q : read) entries << q.entry;
  ASSERT_TRUE(archive->unqueue(entries, &failure));
  QStringList waiting;
  for (const Archive::Queued& q : archive->queued(10, &failure)) waiting << q.record.device;
  EXPECT_EQ(waiting, QStringList({"C"}));
  EXPECT_EQ(find(*archive, {.device = "C"})[0].id, b[0].id);
}

TEST_F(ArchiveTest, ANewArchiveHasTheLatestSchemaAndReopensAsItWas) {
  {
    auto archive = open(path);
    EXPECT_EQ(archive->schemaVersion(), Archive::knownSchemaVersion());
    store(*archive, {report("A", {1, 2, 25, 9, 0, 0})});
  }
  auto again = open(path);
  EXPECT_FALSE(again->readOnly());
  EXPECT_EQ(find(*again).size(), 1);
  ArchiveFailure failure;
  EXPECT_EQ(again->integrityCheck(&failure), QStringList{"ok"});
}

// Files that are no archive of this program, or are damaged: a message naming
// the file, and the file left exactly as it was.
TEST_F(ArchiveTest, AFileThatIsNoArchiveIsRefusedAndNeverWritten) {
  {
    auto archive = open(path);
    store(*archive, {report("A", {1, 2, 25, 9, 0, 0})});
  }
  const QByteArray whole = readAll(path);
  const QString foreign = dir.filePath("other.sqlite");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
    db.setDatabaseName(foreign);
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec("CREATE TABLE invoices (id INTEGER)");
    db.close();
  }
  QSqlDatabase::removeDatabase("foreign");
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {{"empty.sqlite", QByteArray()},
               {"random.sqlite", QByteArray(5000, '\x5A')},
               {"truncated.sqlite", whole.left(whole.size() / 2)},
               {"other.sqlite", readAll(foreign)}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const QString file = dir.filePath(f.name);
    writeAll(file, f.bytes);
    ArchiveFailure failure;
    std::unique_ptr<Archive> archive = Archive::open(file, &failure);
    if (archive) {  // a truncated file may open: its damage shows when it is read or checked
      EXPECT_NE(archive->integrityCheck(&failure), QStringList{"ok"});
      EXPECT_FALSE(archive->store(ArchiveKind::TestReport, "A", kDownloaded, {report("B", {})}, &failure) &&
                   archive->integrityCheck(&failure) == QStringList{"ok"});
    } else {
      EXPECT_TRUE(failure.message().contains(QDir::toNativeSeparators(file))) << failure.message().toStdString();
    }
    archive.reset();
    EXPECT_EQ(readAll(file), f.bytes);
  }
  // An empty file is never made into a new archive, even where one would be made.
  ArchiveFailure failure;
  EXPECT_FALSE(Archive::open(dir.filePath("empty.sqlite"), &failure, Archive::Opening::CreateOrUpdate));
  EXPECT_TRUE(failure.reason.contains("empty")) << failure.reason.toStdString();
  EXPECT_EQ(QFileInfo(dir.filePath("empty.sqlite")).size(), 0);
}

// Reading an archive that is not there creates nothing; a new one is made
// whole under its own name, so that no half-made file is ever found.
TEST_F(ArchiveTest, OnlyAnArchiveThatIsThereIsReadAndANewOneIsMadeWhole) {
  ArchiveFailure failure;
  EXPECT_FALSE(Archive::open(path, &failure, Archive::Opening::Existing));
  EXPECT_EQ(failure.kind, ArchiveFailure::Kind::Missing);
  EXPECT_EQ(failure.message(), "There is no archive at " + QDir::toNativeSeparators(path) + ".");
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  EXPECT_TRUE(open(path));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"archive.sqlite"});
}

// A read that stops at a damaged page says so, naming the file, and gives
// nothing: no list, no history, no mark from part of one.
TEST_F(ArchiveTest, AReadThatStopsAtADamagedPageSaysSoAndGivesNothing) {
  makeDamagedArchive(path, 3000, "ER-1");
  auto archive = open(path);
  ASSERT_TRUE(archive);
  ArchiveFailure listed, history, queue;
  EXPECT_TRUE(archive->records({}, &listed).isEmpty());
  EXPECT_TRUE(deviceTests(*archive, "ER-1", &history).isEmpty());
  EXPECT_TRUE(archive->queued(5000, &queue).isEmpty());
  for (const ArchiveFailure& f : {listed, history, queue}) {
    EXPECT_TRUE(f.message().contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(f.reason.contains("malformed")) << f.reason.toStdString();  // SQLite's own word for it
  }
  ArchiveFailure checked;
  EXPECT_NE(archive->integrityCheck(&checked), QStringList{"ok"});
}

TEST_F(ArchiveTest, ANewerSchemaOpensReadOnlyAndIsNeverMigratedDown) {
  {
    auto archive = open(path);
    QSqlQuery(archive->database()).exec(QString("PRAGMA user_version=%1").arg(Archive::knownSchemaVersion() + 1));
  }
  const QByteArray before = readAll(path);
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(path, &failure);
  ASSERT_TRUE(archive);
  EXPECT_TRUE(archive->readOnly());
  EXPECT_TRUE(failure.message().contains("newer version")) << failure.message().toStdString();
  EXPECT_FALSE(archive->store(ArchiveKind::TestReport, "A", kDownloaded, {report("B", {})}, &failure));
  EXPECT_EQ(archive->schemaVersion(), Archive::knownSchemaVersion() + 1);
  failure = {};
  EXPECT_EQ(archive->records({}, &failure).size(), 0);
  EXPECT_TRUE(failure.reason.isEmpty()) << failure.reason.toStdString();
  archive.reset();
  EXPECT_EQ(readAll(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"archive.sqlite"});  // no journal left
}

// An archive where this account may write nothing (a read-only share) is read,
// checked and said to be read only; nothing is written beside it.
TEST_F(ArchiveTest, AnArchiveThatCannotBeWrittenIsReadAndCheckedAsItIs) {
  FullDisk disk(1024);
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString file = disk.filePath("archive.sqlite");
  store(*open(file), {report("KEPT", {1, 2, 25, 9, 0, 0})});
  ASSERT_TRUE(disk.makeReadOnly());
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(file, &failure, Archive::Opening::Existing);
  ASSERT_TRUE(archive) << failure.message().toStdString();
  EXPECT_TRUE(archive->readOnly());
  EXPECT_EQ(failure.kind, ArchiveFailure::Kind::ReadOnly);
  EXPECT_TRUE(failure.message().contains("open for reading only")) << failure.message().toStdString();
  failure = {};
  EXPECT_EQ(find(*archive).size(), 1);
  EXPECT_EQ(archive->integrityCheck(&failure), QStringList{"ok"});
  EXPECT_FALSE(archive->store(ArchiveKind::TestReport, "A", kDownloaded, {report("B", {})}, &failure));
  archive.reset();
  EXPECT_EQ(disk.entries(), QStringList{"archive.sqlite"});
}

TEST_F(ArchiveTest, OnAFullDiskAnImportFailsAndTheArchiveHoldsWhatItHeld) {
  FullDisk disk(1024);  // room for an archive, its journal and its shared-memory index
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString file = disk.filePath("archive.sqlite");
  {
    auto archive = open(file);
    store(*archive, {report("KEPT", {1, 2, 25, 9, 0, 0})});
    disk.fill();
    QList<QByteArray> many;
    for (int i = 0; i < 200; ++i) many << report(QByteArray::number(i).constData(), {1, 3, 25, 9, 0, 0});
    ArchiveFailure failure;
    EXPECT_FALSE(archive->store(ArchiveKind::TestReport, "A1234567", kDownloaded, many, &failure));
    EXPECT_TRUE(failure.message().contains(file)) << failure.message().toStdString();
    EXPECT_FALSE(failure.reason.isEmpty());  // the cause is said too
  }
  QFile::remove(disk.filePath(".filler"));  // room again: the archive is as it was
  {
    auto archive = open(file);
    const QList<ArchivedRecord> found = find(*archive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].device, "KEPT");
    ArchiveFailure failure;
    EXPECT_EQ(archive->integrityCheck(&failure), QStringList{"ok"});
  }
  EXPECT_EQ(disk.entries(), QStringList{"archive.sqlite"});  // no journal or half-written file is left
}

namespace {
class ArchiveKeeperTest : public ArchiveTest {
 protected:
  SettingsFile settings{dir.filePath("kalyx5pc.ini")};
  RecordingMessages messages;
  ArchiveKeeper keeper{path, settings, messages, [] { return kDownloaded; }};
};
}  // namespace

TEST_F(ArchiveKeeperTest, KeepsWhileTheSettingSaysSoAndACaptureUnderTheLastAnalyzer) {
  QStringList reported;
  keeper.reported = [&reported](const QString& sentence) { reported << sentence; };
  keeper.keep(ArchiveKind::TestReport, "A1", {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0})});
  ASSERT_TRUE(keeper.lastStored());
  EXPECT_EQ(keeper.lastStored()->added, 2);
  keeper.keep(ArchiveKind::TestReport, "A1", {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0})});
  keeper.keep(ArchiveKind::Capture, QString(), {sampleDefibCapture()});
  EXPECT_EQ(reported, QStringList({"2 test reports kept in the archive, 2 new", "2 test reports kept in the archive, 0 new",
                                   "1 capture kept in the archive, 1 new"}));
  keeper.setKeeping(false);
  keeper.keep(ArchiveKind::TestReport, "A1", {report("C", {3, 2, 25, 9, 0, 0})});
  EXPECT_FALSE(keeper.lastStored());
  EXPECT_EQ(settings.readInteger("Archive", "AUTOMATIC", -1), 0);
  const QList<ArchivedRecord> kept = find(*keeper.archive());
  ASSERT_EQ(kept.size(), 3);
  EXPECT_EQ(kept[2].kind, ArchiveKind::Capture);
  EXPECT_EQ(kept[2].analyzer, "A1");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ArchiveKeeperTest, WhatCannotBeKeptIsToldOnceNamingTheFile) {
  writeAll(path, QByteArray(4096, 'x'));  // not an archive
  keeper.keep(ArchiveKind::TestReport, "A1", {report("A", {1, 2, 25, 9, 0, 0})});
  keeper.keep(ArchiveKind::TestReport, "A1", {report("B", {2, 2, 25, 9, 0, 0})});
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(path)));
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Warning);
  EXPECT_EQ(readAll(path), QByteArray(4096, 'x'));
}

// A capture whose texts are empty (no test type, no I.D.) is kept all the same.
TEST_F(ArchiveTest, ARecordWithEmptyTextsIsStoredNotDropped) {
  auto archive = open(path);
  ArchiveFailure failure;
  const QByteArray blank = captureBlockOf(CaptureHeader());
  const auto stored = archive->store(ArchiveKind::Capture, QString(), kDownloaded, {blank}, &failure);
  ASSERT_TRUE(stored) << failure.message().toStdString();
  EXPECT_EQ(stored->added, 1);
  EXPECT_EQ(find(*archive).value(0).bytes, blank);
}

// Where the archive is, from the option, the environment and --demo: a demo
// never writes the user's archive.
TEST(ArchiveLocation, TheOptionTheEnvironmentAndTheDemo) {
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  initPaths();
  const QString data = dataFolder();
  const struct {
    const char* option;
    const char* environment;
    bool demo;
    QString where;
  } cases[] = {{"", "", false, data + "archive.sqlite"},
               {"", "", true, data + "archive-demo.sqlite"},
               {"", "/srv/dept/kept.sqlite", false, "/srv/dept/kept.sqlite"},
               {"", "/srv/dept/kept.sqlite", true, "/srv/dept/archive-demo.sqlite"},
               {"/mine.sqlite", "/srv/dept/kept.sqlite", true, "/mine.sqlite"}};
  for (const auto& c : cases) {
    qputenv("KALYX5PC_ARCHIVE", c.environment);
    EXPECT_EQ(archiveLocation(c.option, c.demo), c.where) << c.option << " " << c.environment << " " << c.demo;
  }
  qunsetenv("KALYX5PC_ARCHIVE");

  // The department's archive: the option, else the settings' one, which a demo never takes.
  SettingsFile settings(home.filePath("kalyx5pc.ini"));
  settings.writeString("Archive", "SHARED", "postgresql://db/biomed");
  EXPECT_EQ(departmentAddress("", settings, false), "postgresql://db/biomed");
  EXPECT_EQ(departmentAddress("", settings, true), "");
  EXPECT_EQ(departmentAddress("postgresql://test/x", settings, true), "postgresql://test/x");

  QStringList args{"kalyx5pc", "--archive="};
  QString file, error;
  EXPECT_FALSE(takeArchiveOption(&args, &file, &error));
  EXPECT_EQ(error, "--archive needs the path of an archive file");
}

// A backup is one consistent file that opens as the archive by itself, what
// another connection left in the journal included; its folder is made.
TEST_F(ArchiveTest, ABackupIsOneWholeFileThatOpensAsTheArchive) {
  auto archive = open(path);
  store(*archive, {report("A", {1, 2, 25, 9, 0, 0}), report("B", {2, 2, 25, 9, 0, 0})});  // still in the journal
  const QString target = dir.filePath("backups/archive copy.sqlite");
  int last = -1;
  ArchiveFailure failure;
  ASSERT_TRUE(backUpArchive(path, target, [&last](int percent) { last = percent; }, &failure))
      << failure.message().toStdString();
  EXPECT_EQ(last, 100);
  EXPECT_EQ(QDir(dir.filePath("backups")).entryList(QDir::Files | QDir::Hidden), QStringList{"archive copy.sqlite"});
  auto copy = open(target);
  ASSERT_TRUE(copy);
  EXPECT_EQ(find(*copy).size(), 2);
  EXPECT_EQ(copy->integrityCheck(&failure), QStringList{"ok"});
  EXPECT_EQ(copy->schemaVersion(), Archive::knownSchemaVersion());

  // An archive of the version before is backed up as it is: reading it for a
  // backup never brings it up to date.
  QSqlQuery(archive->database()).exec(QString("PRAGMA user_version=%1").arg(Archive::knownSchemaVersion() - 1));
  archive.reset();
  ASSERT_TRUE(backUpArchive(path, target, {}, &failure)) << failure.message().toStdString();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "untouched");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery version("PRAGMA user_version", db);
    ASSERT_TRUE(version.next());
    EXPECT_EQ(version.value(0).toInt(), Archive::knownSchemaVersion() - 1);
  }
  QSqlDatabase::removeDatabase("untouched");

  writeAll(dir.filePath("empty.sqlite"), "");
  ArchiveFailure empty;
  EXPECT_FALSE(backUpArchive(dir.filePath("empty.sqlite"), dir.filePath("empty copy.sqlite"), {}, &empty));
  EXPECT_EQ(empty.reason, "No backup was made. It is damaged: the file is empty (0 bytes). It is left as it is.");

  for (const QString& live : {path, path + "-wal", dir.filePath("./archive.sqlite")}) {
    ArchiveFailure refused;
    EXPECT_FALSE(backUpArchive(path, live, {}, &refused)) << live.toStdString();
    EXPECT_TRUE(refused.reason.contains("the archive itself")) << refused.reason.toStdString();
  }
}

// On a full disk no backup is made, no part of one is left, and an older
// backup under the same name stays whole.
TEST_F(ArchiveTest, ABackupOnAFullDiskFailsAndLeavesTheOldBackupWhole) {
  FullDisk disk(128);
  KALYX_REQUIRE_FULL_DISK(disk);
  auto archive = open(path);
  QList<QByteArray> many;
  for (int i = 0; i < 400; ++i) many << report(QByteArray::number(i).constData(), {1, 3, 25, 9, 0, 0});
  store(*archive, many);
  writeAll(disk.filePath("archive.sqlite"), "an older backup");
  disk.fill();
  ArchiveFailure failure;
  EXPECT_FALSE(backUpArchive(path, disk.filePath("archive.sqlite"), {}, &failure));
  EXPECT_TRUE(failure.reason.contains("full")) << failure.reason.toStdString();
  EXPECT_EQ(disk.entries(), QStringList{"archive.sqlite"});
  EXPECT_EQ(readAll(disk.filePath("archive.sqlite")), "an older backup");
}

namespace {
const quint8 kCaptureTime[6] = {9, 5, 14, 2, 3, 25};  // 2025-03-02 14:05:09
QByteArray captureOf(const char* id) { return captureBlockOf(makeCaptureHeader(id, kCaptureTime)); }
}  // namespace

// A capture is one record by its bytes, whatever was known of the analyzer
// when it was kept; one kept before its analyzer was known learns it. Its
// device I.D. is kept as every kind's is: trimmed.
TEST_F(ArchiveTest, ACaptureIsKeptOnceByItsBytesAndItsDeviceAsEveryKindsIs) {
  auto archive = open(path);
  const QByteArray block = captureOf(" \tCAP-1 ");
  ArchiveFailure failure;
  const struct {
    const char* analyzer;
    int added;
    const char* kept;
  } steps[] = {{"", 1, ""}, {"A1234567", 0, "A1234567"}, {"B7654321", 0, "A1234567"}, {"", 0, "A1234567"}};
  for (const auto& step : steps) {
    const auto stored = archive->store(ArchiveKind::Capture, step.analyzer, kDownloaded, {block}, &failure);
    ASSERT_TRUE(stored) << failure.message().toStdString();
    EXPECT_EQ(stored->added, step.added) << step.analyzer;
    const QList<ArchivedRecord> found = find(*archive, {.kind = ArchiveKind::Capture});
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].analyzer, step.kept);
    EXPECT_EQ(found[0].device, "CAP-1");
  }
  EXPECT_EQ(find(*archive, {.device = "CAP-1", .wholeDevice = true}).size(), 1);
}

// The device filter ignores letter case in every script, not only in the Latin
// alphabet; the device list holds every device of any kind of record, a blank
// I.D. too.
TEST_F(ArchiveTest, TheDeviceListHoldsEveryDeviceAndItsFilterIgnoresLetterCase) {
  auto archive = open(path);
  // The analyzer's texts are Windows-1252: "Äé-1", "äÉ-2", "ÖX".
  store(*archive, {report("\xC4\xE9-1", {1, 2, 25, 9, 0, 0}), report("\xE4\xC9-2", {2, 2, 25, 9, 0, 0}),
                   report("", {3, 2, 25, 9, 0, 0}), report("\xD6X", {4, 2, 25, 9, 0, 0})});
  ArchiveFailure failure;
  ASSERT_TRUE(archive->store(ArchiveKind::Capture, "A1", kDownloaded, {captureOf("WAVE-ONLY")}, &failure));
  const auto devicesOf = [&](const QString& filter) {
    QSqlQuery query = archive->devices(filter, Archive::DeviceColumn::Device, true);
    QStringList devices;
    while (query.next()) devices << query.value(0).toString() + "/" + query.value(2).toString();
    return devices;
  };
  EXPECT_EQ(devicesOf(""), QStringList({"/1", "WAVE-ONLY/0", "Äé-1/1", "ÖX/1", "äÉ-2/1"}));
  EXPECT_EQ(devicesOf("ÄÉ"), QStringList({"Äé-1/1", "äÉ-2/1"}));
  EXPECT_EQ(devicesOf("wave"), QStringList({"WAVE-ONLY/0"}));
  EXPECT_EQ(find(*archive, {.device = "äé"}).size(), 2);
  EXPECT_EQ(find(*archive, {.device = "", .wholeDevice = true}).size(), 1);  // the report without an I.D.
}

// An archive kept by the version before: its captures kept twice become one,
// their device I.D.s trimmed, and its I.D.s folded for the filter.
TEST_F(ArchiveTest, AnArchiveOfTheVersionBeforeIsBroughtUpToDate) {
  {
    auto archive = open(path);
    store(*archive, {report("\xC4\xE9-1", {1, 2, 25, 9, 0, 0})});  // "Äé-1" in Windows-1252
    ArchiveFailure failure;
    ASSERT_TRUE(archive->store(ArchiveKind::Capture, "A1", kDownloaded, {captureOf(" CAP-1 ")}, &failure));
    QSqlQuery old(archive->database());
    // As the version before kept them: the capture once more without its
    // analyzer, its I.D. untrimmed, and no folded column.
    for (const char* statement :
         {"DROP INDEX capture_identity", "UPDATE record SET device = ' CAP-1 ' WHERE kind = 3",
          "INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, tested, number, title) "
          "SELECT kind, '', digest, bytes, downloaded, device, tested, number, title FROM record WHERE kind = 3",
          "INSERT INTO outbox (record) SELECT max(id) FROM record", "DROP INDEX record_device",
          "ALTER TABLE record DROP COLUMN device_folded",
          "CREATE INDEX record_device ON record (kind, device, tested, verdict, dut_type)", "DROP TABLE device_detail",
          "DROP TABLE detail_outbox", "PRAGMA user_version=2"})
      ASSERT_TRUE(old.exec(statement)) << statement << ": " << old.lastError().text().toStdString();
  }
  auto archive = open(path);
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->schemaVersion(), Archive::knownSchemaVersion());
  const QList<ArchivedRecord> captures = find(*archive, {.kind = ArchiveKind::Capture});
  ASSERT_EQ(captures.size(), 1);
  EXPECT_EQ(captures[0].analyzer, "A1");
  EXPECT_EQ(captures[0].device, "CAP-1");
  EXPECT_EQ(find(*archive, {.device = "ÄÉ"}).size(), 1);
  ArchiveFailure failure;
  EXPECT_EQ(archive->queuedCount(&failure), 2);  // the surplus copy left the queue with it
  EXPECT_EQ(archive->integrityCheck(&failure), QStringList{"ok"});
}

// Device details are kept all or none: a batch whose last row the archive
// refuses (an interval out of its range) leaves every earlier row as it was,
// and one that goes through counts what it added and changed.
TEST_F(ArchiveTest, DeviceDetailsAreKeptAllOrNone) {
  std::unique_ptr<Archive> archive = open(path);
  ASSERT_TRUE(archive);
  ArchiveFailure failure;
  ASSERT_TRUE(archive->keepDeviceDetails({{"ER-1", "Emergency", 6, ""}}, &failure));
  EXPECT_FALSE(archive->keepDeviceDetails({{"ER-1", "Theatre", 12, ""}, {"NEW-2", "Lobby", std::nullopt, ""},
                                           {"BAD-3", "Basement", 0, ""}},
                                          &failure));
  EXPECT_FALSE(failure.reason.isEmpty());
  const std::optional<QList<Archive::DeviceDetail>> kept = archive->deviceDetails(&failure);
  ASSERT_TRUE(kept);
  ASSERT_EQ(kept->size(), 1);
  EXPECT_EQ(kept->first().location, "Emergency");
  EXPECT_EQ(kept->first().intervalMonths, 6);
  // Only the change kept waits for the department's archive, as it was made.
  const QList<Archive::DetailChange> waiting = archive->queuedDetails(10, &failure);
  ASSERT_EQ(waiting.size(), 1);
  EXPECT_EQ(waiting[0].detail.location, "Emergency");
  EXPECT_TRUE(waiting[0].changed.isValid());
  EXPECT_LE(waiting[0].changed.secsTo(QDateTime::currentDateTimeUtc()), 60);
  // Nothing is kept or sent of a device left blank (a dialog closed with OK).
  const auto blank = archive->keepDeviceDetails({{"NEW-5", "", std::nullopt, ""}}, &failure);
  ASSERT_TRUE(blank);
  EXPECT_EQ(blank->added, 0);
  EXPECT_EQ(archive->queuedDetailCount(&failure), 1);

  // The department's details come back only for a device known here whose own
  // change was sent; an edit then changes only what it changed.
  const Archive::DeviceDetail colleagues{"ER-1", "Theatre", 6, "new pads"};
  EXPECT_EQ(archive->adoptDepartmentDetails({colleagues, {"ELSEWHERE-9", "Ward 9", {}, ""}}, &failure), 0);
  ASSERT_TRUE(archive->unqueueDetails({waiting[0].entry}, &failure));
  EXPECT_EQ(archive->adoptDepartmentDetails({colleagues, {"ELSEWHERE-9", "Ward 9", {}, ""}}, &failure), 1);
  const QList<Archive::DeviceDetail> editedFrom{{"ER-1", "Emergency", 6, ""}};  // before that came back
  ASSERT_TRUE(archive->keepDeviceDetails({{"ER-1", "Emergency bay 2", 6, ""}}, &failure, &editedFrom));
  const auto merged = archive->deviceDetails(&failure);
  ASSERT_TRUE(merged);
  ASSERT_EQ(merged->size(), 1);
  EXPECT_EQ(merged->first().location, "Emergency bay 2");
  EXPECT_EQ(merged->first().note, "new pads");

  // An archive of the version before device I.D.s were folded in the details is
  // brought up to date with the I.D.s it lists folded, and every detail it
  // kept waits for the department's archive.
  ASSERT_TRUE(archive->keepDeviceDetails({{"Ärzte-7", "Lobby", std::nullopt, ""}}, &failure));
  for (const char* statement : {"ALTER TABLE device_detail DROP COLUMN device_folded", "DROP TABLE detail_outbox",
                                "PRAGMA user_version=5"})
    ASSERT_TRUE(QSqlQuery(archive->database()).exec(statement)) << statement;
  archive.reset();
  archive = open(path);
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->schemaVersion(), Archive::knownSchemaVersion());
  QSqlQuery folded("SELECT device_folded FROM device_detail WHERE device = 'Ärzte-7'", archive->database());
  ASSERT_TRUE(folded.next());
  EXPECT_EQ(folded.value(0).toString(), "ärzte-7");
  EXPECT_EQ(archive->queuedDetailCount(&failure), 2);

  const std::optional<Archive::DetailsKept> counted =
      archive->keepDeviceDetails({{"ER-1", "Theatre", 12, ""}, {"NEW-2", "Lobby", std::nullopt, ""}}, &failure);
  ASSERT_TRUE(counted);
  EXPECT_EQ(counted->added, 1);
  EXPECT_EQ(counted->changed, 1);
}
