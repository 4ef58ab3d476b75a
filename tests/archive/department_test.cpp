// The department's shared archive on a real PostgreSQL server that each test
// starts for itself: setting it up, sending the queue, reading it back, and
// every way the server can refuse or vanish without a record being lost.
#include "archive/archive.h"
#include "archive/archivedialect.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"
#include "support/clirun.h"
#include "support/testfiles.h"
#include "support/postgresserver.h"
#include "support/testreportbuilders.h"
#include "support/wavebuilders.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#include <string>

using namespace testrec;

namespace {
const QString kMaker = QStringLiteral(KALYX_BINARY_DIR "/tools/archive-maker/kalyx5pc-make-archive");
const Sender kSender{QStringLiteral("jdoe"), QStringLiteral("bench-7")};

DepartmentServer serverAt(const QString& url) {
  QString error;
  const std::optional<DepartmentServer> server = DepartmentServer::parse(url, &error);
  EXPECT_TRUE(server) << error.toStdString();
  return server.value_or(DepartmentServer{});
}

class DepartmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KALYX_REQUIRE_POSTGRES(pg);
    ArchiveFailure failure;
    ASSERT_TRUE(Archive::initDepartment(serverAt(pg.url("kalyx5pc_owner")), &failure)) << failure.message().toStdString();
  }

  std::unique_ptr<Archive> local(const QString& name = QStringLiteral("archive.sqlite")) {
    ArchiveFailure failure;
    auto archive = Archive::open(dir.filePath(name), &failure);
    EXPECT_TRUE(archive) << failure.message().toStdString();
    return archive;
  }
  std::unique_ptr<Archive> department(const QString& role = QStringLiteral("tech1")) {
    ArchiveFailure failure;
    auto archive = Archive::openDepartment(serverAt(pg.url(role)), &failure);
    EXPECT_TRUE(archive && failure.reason.isEmpty()) << failure.message().toStdString();
    return archive;
  }
  // Fills a computer's archive with the maker's reports number `from` onwards.
  void make(const QString& name, int count, int from = 0) {
    QProcess maker;
    maker.start(kMaker, {dir.filePath(name), QString::number(count), "--from", QString::number(from)});
    ASSERT_TRUE(maker.waitForFinished(120000));
    ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
  }
  int waiting(Archive& archive) {
    ArchiveFailure failure;
    return archive.queuedCount(&failure).value_or(-1);
  }
  // Records on the server, and how many distinct identities among them.
  std::pair<qint64, qint64> onServer() {
    return {pg.number("SELECT count(*) FROM record"),
            pg.number("SELECT count(DISTINCT (kind, analyzer, digest)) FROM record")};
  }

  PostgresServer pg;
  QTemporaryDir dir;
};

QByteArray report(const char* id, int day) {
  TTestRec rec = makeTestRec(id, {1, quint8(day), 25, 8, 0, 0}, 2, DutDefibrillator);
  setEntryAt(rec, 0, EnergyEntry{.targetEnergy = 2000, .result = quint8(Pass)});
  return QByteArray(rec.data(), TTestRec::Size);
}
}  // namespace

// What one computer sends, the server keeps once with who sent it; texts that
// an analyzer may hold come back byte for byte; a colleague's copy of the same
// record is counted as already there.
TEST_F(DepartmentTest, SentRecordsComeBackWholeOnceWithTheirSender) {
  const char* ids[] = {"O'Brien \"7\"", "x'); DROP TABLE record;--", "50%_off\\", "\xC4\xE9\xFF\x81\x9D"};
  QList<QByteArray> reports;
  for (int i = 0; i < 4; ++i) reports << report(ids[i], i + 1);
  auto mine = local();
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), reports, &failure));
  EXPECT_EQ(waiting(*mine), 4);
  auto server = department();
  const auto sent = sendQueued(*mine, *server, kSender, &failure);
  ASSERT_TRUE(sent) << failure.message().toStdString();
  EXPECT_EQ(sent->sent, 4);
  EXPECT_EQ(waiting(*mine), 0);

  for (int i = 0; i < 4; ++i) {
    const QString device = deviceIdText(testRecFromBytes(reports[i].constData()));
    const QList<ArchivedRecord> found = server->records({.device = device, .wholeDevice = true}, &failure);
    ASSERT_EQ(found.size(), 1) << i;
    EXPECT_EQ(found[0].bytes, reports[i]);
    EXPECT_EQ(found[0].device, device);
  }
  QString senders;
  pg.sql("SELECT DISTINCT sent_by || '@' || sent_from || ' as ' || sent_as FROM record", "department", &senders);
  EXPECT_EQ(senders.trimmed(), "jdoe@bench-7 as tech1");

  auto colleagues = local("colleague.sqlite");
  ASSERT_TRUE(colleagues->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(),
                                {reports[0], report("ICU-9", 9)}, &failure));
  const auto again = sendQueued(*colleagues, *department("tech2"), kSender, &failure);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->sent, 1);
  EXPECT_EQ(again->known, 1);
  EXPECT_EQ(onServer(), (std::pair<qint64, qint64>(5, 5)));
  // The audit trail is never rewritten, not even by its owner; a sender can
  // neither say it is someone else nor touch the schema's version.
  EXPECT_FALSE(pg.sql("SET ROLE kalyx5pc_owner; DELETE FROM record"));
  EXPECT_FALSE(pg.sql("SET ROLE tech1; INSERT INTO archive_schema VALUES (99)"));
  ASSERT_TRUE(pg.sql("SET ROLE tech1; INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, number, "
                     "title, sent_by, sent_from, sent_as, received) VALUES (1, 'A1', sha256('x'), 'x', '', '', 1, '', '', '', "
                     "'forged', '2000-01-01')"));
  EXPECT_EQ(pg.number("SELECT count(*) FROM record WHERE sent_as = 'forged' OR received < '2001-01-01'"), 0);
}

// A capture is one record on the server too, by its bytes, whoever sent it and
// whatever they knew of its analyzer; the device filter ignores letter case in
// every script there as well.
TEST_F(DepartmentTest, ACaptureIsKeptOnceAndTheFilterIgnoresLetterCase) {
  const quint8 when[6] = {9, 5, 14, 2, 3, 25};
  const QByteArray capture = captureBlockOf(makeCaptureHeader("SCOPE-1", when));
  auto mine = local();
  auto colleagues = local("colleague.sqlite");
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::Capture, "", QDateTime::currentDateTimeUtc(), {capture}, &failure));
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), {report("\xC4\xE9-1", 1)}, &failure));
  ASSERT_TRUE(colleagues->store(ArchiveKind::Capture, "A1", QDateTime::currentDateTimeUtc(), {capture}, &failure));
  ASSERT_TRUE(sendQueued(*mine, *department(), kSender, &failure)) << failure.message().toStdString();
  const auto theirs = sendQueued(*colleagues, *department("tech2"), kSender, &failure);
  ASSERT_TRUE(theirs);
  EXPECT_EQ(theirs->known, 1);
  EXPECT_EQ(pg.number("SELECT count(*) FROM record WHERE kind = 3"), 1);
  EXPECT_EQ(department()->records({.device = "äé"}, &failure).size(), 1);  // "Äé-1"
}

// The server takes a record's fingerprint from its bytes: altered bytes under
// a colleague's fingerprint are refused, and the colleague's true record is
// then taken, not counted as already there.
TEST_F(DepartmentTest, TheServerTakesTheFingerprintFromTheBytes) {
  const QByteArray true_ = report("ICU-1", 1), altered = report("ICU-1-ALTERED", 1);
  EXPECT_FALSE(pg.sql(QStringLiteral("SET ROLE tech2; INSERT INTO record (kind, analyzer, digest, bytes, downloaded, "
                                     "device, number, title, sent_by, sent_from) VALUES (1, 'A1', '\\x%1', '\\x%2', "
                                     "'', '', 1, '', '', '')")
                          .arg(QString::fromLatin1(QCryptographicHash::hash(true_, QCryptographicHash::Sha256).toHex()),
                               QString::fromLatin1(altered.toHex()))));
  auto mine = local();
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), {true_}, &failure));
  const auto sent = sendQueued(*mine, *department(), kSender, &failure);
  ASSERT_TRUE(sent) << failure.message().toStdString();
  EXPECT_EQ(sent->sent, 1);
  EXPECT_EQ(pg.number("SELECT count(*) FROM record WHERE digest = sha256(bytes)"), 1);
}

// A record the server refuses for what it holds is set aside on this computer
// with the server's reason; the rest flow. Sent by hand it is tried again.
TEST_F(DepartmentTest, ARecordRefusedForWhatItHoldsIsSetAsideAndTheRestFlow) {
  ASSERT_TRUE(pg.sql("CREATE FUNCTION refuse_one() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                     "RAISE EXCEPTION 'no such device here' USING ERRCODE = 'check_violation'; END $$;"
                     "CREATE TRIGGER refuse_one BEFORE INSERT ON record FOR EACH ROW WHEN (NEW.device = 'REFUSED-1') "
                     "EXECUTE FUNCTION refuse_one()"));
  auto mine = local();
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(),
                          {report("ICU-1", 1), report("REFUSED-1", 2), report("ICU-3", 3)}, &failure));
  const auto sent = sendQueued(*mine, *department(), kSender, &failure);
  ASSERT_TRUE(sent) << failure.message().toStdString();
  EXPECT_EQ(sent->sent, 2);
  EXPECT_EQ(sent->setAside, 1);
  EXPECT_TRUE(sent->refusal.contains("no such device here")) << sent->refusal.toStdString();
  EXPECT_EQ(waiting(*mine), 0);
  const QList<Archive::SetAside> aside = mine->setAsideRecords(&failure);
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(aside[0].device, "REFUSED-1");
  EXPECT_FALSE(sendQueued(*mine, *department(), kSender, &failure)->setAside);  // not sent again by itself

  ASSERT_TRUE(pg.sql("DROP TRIGGER refuse_one ON record"));
  const CliRun again = cli({"--archive", dir.filePath("archive.sqlite"), "--shared", pg.url("tech1"), "archive", "sync"});
  EXPECT_EQ(again.status, 0) << again.err.toStdString();
  EXPECT_TRUE(again.out.startsWith("sent to the department's archive: 1 new")) << again.out.toStdString();
  EXPECT_EQ(pg.number("SELECT count(*) FROM record"), 3);
}

// A database that keeps texts in another encoding than UTF8 is refused by the
// set-up: a device I.D. with "€" could not be kept in it.
TEST_F(DepartmentTest, TheSetUpRefusesADatabaseThatIsNotUtf8) {
  ASSERT_TRUE(pg.sql("CREATE DATABASE latin ENCODING 'LATIN1' TEMPLATE template0 LC_COLLATE 'C' LC_CTYPE 'C'",
                     "postgres"));
  QString url = pg.url("kalyx5pc_owner");
  url.replace("/department", "/latin");
  ArchiveFailure failure;
  EXPECT_FALSE(Archive::initDepartment(serverAt(url), &failure));
  EXPECT_TRUE(failure.reason.contains("LATIN1") && failure.reason.contains("UTF8")) << failure.reason.toStdString();
}

// The department's export of a computer's reports lists them in the order of
// this computer's own export: the files are byte for byte the same.
TEST_F(DepartmentTest, TheDepartmentsExportIsTheLocalOne) {
  auto mine = local();
  ArchiveFailure failure;
  QList<QByteArray> reports;
  for (int day = 1; day <= 8; ++day) reports << report(QByteArray("ER-" + QByteArray::number(day)).constData(), day);
  // Two analyzers' downloads at one instant, whose I.D.s a language's collation
  // orders otherwise than their bytes do, on a server that collates so.
  const QDateTime now = QDateTime::currentDateTimeUtc();
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "a1", now, reports.mid(0, 4), &failure));
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "B1", now, reports.mid(4), &failure));
  ASSERT_TRUE(pg.sql("ALTER TABLE record ALTER COLUMN analyzer TYPE text COLLATE \"und-x-icu\""));
  ASSERT_TRUE(sendQueued(*mine, *department(), kSender, &failure));
  mine.reset();
  const QString archive = dir.filePath("archive.sqlite");
  ASSERT_EQ(cli({"--archive", archive, "archive", "export", "--mup", dir.filePath("here.mup")}).status, 0);
  const CliRun there = cli({"--archive", archive, "--shared", pg.url("tech1"), "archive", "export", "--department",
                            "--mup", dir.filePath("there.mup")});
  ASSERT_EQ(there.status, 0) << there.err.toStdString();
  EXPECT_EQ(readAll(dir.filePath("there.mup")), readAll(dir.filePath("here.mup")));
}

// A record deleted on this computer before it was sent still reaches the
// department's archive, the audit trail.
TEST_F(DepartmentTest, ARecordDeletedHereBeforeItWasSentStillGoes) {
  auto mine = local();
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(),
                          {report("ICU-1", 1), report("ICU-2", 2)}, &failure));
  const QList<ArchivedRecord> kept = mine->records({.device = "ICU-2", .wholeDevice = true}, &failure);
  ASSERT_EQ(kept.size(), 1);
  ASSERT_TRUE(mine->remove({kept[0].id}, &failure));
  EXPECT_EQ(waiting(*mine), 2);
  const auto sent = sendQueued(*mine, *department(), kSender, &failure);
  ASSERT_TRUE(sent) << failure.message().toStdString();
  EXPECT_EQ(sent->sent, 2);
  auto there = department();
  const QList<ArchivedRecord> gone = there->records({.device = "ICU-2", .wholeDevice = true}, &failure);
  ASSERT_EQ(gone.size(), 1);
  EXPECT_EQ(gone[0].bytes, kept[0].bytes);
  EXPECT_EQ(mine->records({}, &failure).size(), 1);  // here it is gone
}

// The server stopped in the middle of a push of 10,000 records and started
// again: the next sync leaves each record on the server once and the queue empty.
TEST_F(DepartmentTest, AServerStoppedMidPushHoldsEachRecordOnceAfterTheNextSync) {
  make("archive.sqlite", 10000);
  const QString path = dir.filePath("archive.sqlite");
  const DepartmentServer server = serverAt(pg.url("tech1"));
  std::optional<SyncResult> first;
  ArchiveFailure firstFailure;
  std::atomic<bool> ended = false;
  std::thread pushing([&] {
    ArchiveFailure failure;
    auto mine = Archive::open(path, &failure);
    auto theirs = Archive::openDepartment(server, &failure);
    if (mine && theirs) first = sendQueued(*mine, *theirs, kSender, &firstFailure);
    ended = true;
  });
  // The server stops once the first batch is in.
  const QDeadlineTimer giveUp(60000);
  while (pg.number("SELECT count(*) FROM record") <= 0 && !ended && !giveUp.hasExpired()) QThread::msleep(5);
  ASSERT_TRUE(pg.stop());
  pushing.join();
  EXPECT_FALSE(first) << "the push went through before the server stopped; nothing was tested";
  EXPECT_TRUE(firstFailure.department);

  ASSERT_TRUE(pg.start());
  auto mine = local();
  EXPECT_GT(waiting(*mine), 0);
  ArchiveFailure failure;
  const auto second = sendQueued(*mine, *department(), kSender, &failure);
  ASSERT_TRUE(second) << failure.message().toStdString();
  EXPECT_EQ(waiting(*mine), 0);
  EXPECT_EQ(onServer(), (std::pair<qint64, qint64>(10000, 10000)));
}

// Two programs sending 10,000 records each, half of them the same, at once:
// both succeed and the server holds the union, each record once.
TEST_F(DepartmentTest, TwoProgramsPushingAtOnceLeaveTheUnionOnce) {
  make("first.sqlite", 10000, 0);
  make("second.sqlite", 10000, 5000);
  QProcess first, second;
  const QString cli = QStringLiteral(KALYX_BINARY_DIR "/src/cli/kalyx5pc-cli");
  first.start(cli, {"--archive", dir.filePath("first.sqlite"), "--shared", pg.url("tech1"), "archive", "sync"});
  second.start(cli, {"--archive", dir.filePath("second.sqlite"), "--shared", pg.url("tech2"), "archive", "sync"});
  for (QProcess* p : {&first, &second}) {
    ASSERT_TRUE(p->waitForFinished(120000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    EXPECT_THAT(p->readAllStandardOutput().toStdString(), ::testing::HasSubstr(" 0 waiting"));
  }
  EXPECT_EQ(onServer(), (std::pair<qint64, qint64>(15000, 15000)));
}

// A reader browses and charts the department's archive; what it sends is
// refused with a message and stays queued.
TEST_F(DepartmentTest, AReadOnlyRoleReadsButItsPushIsRefusedAndTheRecordsWait) {
  make("archive.sqlite", 40);
  auto mine = local();
  ArchiveFailure failure;
  ASSERT_TRUE(sendQueued(*mine, *department("tech1"), kSender, &failure));
  make("archive.sqlite", 10, 40);
  auto reader = department("viewer");
  EXPECT_EQ(reader->records({}, &failure).size(), 40);
  EXPECT_EQ(reader->testReportsOf("DEV-1", &failure).size(), 1);
  QSqlQuery devices = reader->devices({}, Archive::DeviceColumn::Device, true);
  int rows = 0;
  while (devices.next()) ++rows;
  EXPECT_EQ(rows, 40);

  EXPECT_FALSE(sendQueued(*mine, *reader, kSender, &failure));
  EXPECT_THAT(failure.message().toStdString(), ::testing::HasSubstr("permission denied"));
  EXPECT_THAT(failure.message().toStdString(), ::testing::HasSubstr("kalyx5pc_send"));
  EXPECT_EQ(waiting(*mine), 10);
}

// A wrong password, an unknown host, a refused secure connection: one clear
// message each, naming the server and what to do, and the queue as it was.
TEST_F(DepartmentTest, AServerThatCannotBeUsedIsToldClearlyAndNothingIsLost) {
  make("archive.sqlite", 5);
  ASSERT_TRUE(pg.sql("CREATE ROLE outsider LOGIN PASSWORD 'outsider-pw'; CREATE ROLE retired NOLOGIN PASSWORD 'old-pw'"));
  pg.writePassFile({{"tech1", "not-the-password"}, {"outsider", "outsider-pw"}, {"retired", "old-pw"}});
  QString elsewhere = pg.url("outsider");
  elsewhere.replace("/department", "/no_such_database");
  const struct {
    QString url;
    const char* says;
    const char* advice;
  } cases[] = {
      {pg.url("tech1"), "password authentication failed", "password file"},
      {"postgresql://tech1@no-such-host.invalid/department", "no-such-host.invalid", "server's name"},
      {pg.url("tech1", "?sslmode=require"), "SSL", "sslmode"},
      {elsewhere, "does not exist", "database's name"},
      {pg.url("outsider"), "permission denied", "member of kalyx5pc_send"},
      {pg.url("retired"), "is not permitted to log in", "does not let this login in"},
  };
  for (const auto& c : cases) {
    const CliRun run = cli({"--archive", dir.filePath("archive.sqlite"), "--shared", c.url, "archive", "sync"});
    EXPECT_EQ(run.status, 1) << c.url.toStdString();
    EXPECT_THAT(run.err.toStdString(), ::testing::HasSubstr(serverAt(c.url).address().toStdString()));
    EXPECT_THAT(run.err.toStdString(), ::testing::HasSubstr(c.says));
    EXPECT_THAT(run.err.toStdString(), ::testing::HasSubstr(c.advice));
    EXPECT_EQ(run.err.count("cannot be used"), 1) << run.err.toStdString();
    for (const char* prefix : {"FATAL:", "QPSQL", "connection to server"})  // the client library's, not the user's
      EXPECT_THAT(run.err.toStdString(), ::testing::Not(::testing::HasSubstr(prefix)));
  }
  EXPECT_EQ(waiting(*local()), 5);
}

// Setting up twice changes nothing; a server of a newer schema is read and
// never migrated down, and nothing is sent to it.
TEST_F(DepartmentTest, ANewerSchemaOnTheServerIsReadButNeverMigratedDownOrWritten) {
  ArchiveFailure failure;
  const DepartmentServer owner = serverAt(pg.url("kalyx5pc_owner"));
  EXPECT_EQ(Archive::initDepartment(owner, &failure), Archive::knownDepartmentSchemaVersion());
  make("archive.sqlite", 3);
  ASSERT_TRUE(sendQueued(*local(), *department(), kSender, &failure));
  make("archive.sqlite", 2, 3);
  const int newer = Archive::knownDepartmentSchemaVersion() + 1;
  ASSERT_TRUE(pg.sql(QStringLiteral("UPDATE archive_schema SET version = %1").arg(newer)));
  EXPECT_EQ(Archive::initDepartment(owner, &failure), newer);
  EXPECT_EQ(pg.number("SELECT version FROM archive_schema"), newer);

  auto reader = Archive::openDepartment(serverAt(pg.url("tech1")), &failure);
  ASSERT_TRUE(reader);
  EXPECT_THAT(failure.reason.toStdString(), ::testing::HasSubstr("newer version"));
  failure = {};
  EXPECT_EQ(reader->records({}, &failure).size(), 3);
  EXPECT_TRUE(failure.reason.isEmpty());
  auto mine = local();
  EXPECT_FALSE(sendQueued(*mine, *reader, kSender, &failure));
  EXPECT_EQ(waiting(*mine), 2);
}

TEST(DepartmentServerAddress, ReadsWhatItMayAndRefusesAPassword) {
  QString error;
  const auto server = DepartmentServer::parse("postgresql://jdoe@db.example:5433/biomed?sslmode=verify-full", &error);
  ASSERT_TRUE(server) << error.toStdString();
  EXPECT_EQ(server->user, "jdoe");
  EXPECT_EQ(server->host, "db.example");
  EXPECT_EQ(server->port, 5433);
  EXPECT_EQ(server->database, "biomed");
  EXPECT_EQ(DepartmentServer::parse(server->address(), &error)->connectOptions(), server->connectOptions());
  // Nothing typed reaches the driver's options, and no error repeats a password.
  for (const char* bad : {"postgresql://jdoe:secret@db/biomed", "mysql://db/biomed", "postgresql://db/",
                          "postgresql://db/biomed?sslmode=maybe", "postgresql://db/biomed?password=secret",
                          "postgresql://db/biomed?sslrootcert=x%20password%3Dsecret",
                          "postgresql://jdoe:secret@db:notaport/biomed"}) {
    EXPECT_FALSE(DepartmentServer::parse(bad, &error)) << bad;
    EXPECT_FALSE(error.contains("secret")) << error.toStdString();
  }
  EXPECT_FALSE(DepartmentServer::parse("postgresql://jdoe:secret@db/biomed", &error));
  EXPECT_THAT(error.toStdString(), ::testing::HasSubstr("must not hold a password"));
  // A server on this computer, through its socket: the default folder or one named.
  const struct {
    const char* url;
    const char* host;
  } sockets[] = {{"postgresql:///kalyx5pc", ""}, {"postgresql:///kalyx5pc?host=/var/run/postgresql", "/var/run/postgresql"}};
  for (const auto& s : sockets) {
    const auto local = DepartmentServer::parse(s.url, &error);
    ASSERT_TRUE(local) << s.url << ": " << error.toStdString();
    EXPECT_EQ(local->host, s.host);
    EXPECT_EQ(local->database, "kalyx5pc");
    EXPECT_EQ(local->address(), s.url);
  }
  EXPECT_FALSE(DepartmentServer::parse("postgresql:///kalyx5pc?host=relative", &error));
  EXPECT_FALSE(DepartmentServer::parse("postgresql:///kalyx5pc?host=/tmp%20sslmode%3Ddisable", &error));
}

// The sender is the account the program runs as, told by the system: a
// service or cron sets no USER or LOGNAME.
TEST(DepartmentSender, IsTheSystemsAccountWithoutTheEnvironment) {
  const char* const names[] = {"USER", "LOGNAME", "USERNAME"};
  QByteArray values[std::size(names)];
  for (std::size_t n = 0; n < std::size(names); ++n) values[n] = qgetenv(names[n]), qunsetenv(names[n]);
  const Sender sender = Sender::current();
  for (std::size_t n = 0; n < std::size(names); ++n)
    if (!values[n].isNull()) qputenv(names[n], values[n]);
  EXPECT_FALSE(sender.user.isEmpty());
  EXPECT_FALSE(sender.computer.isEmpty());
}

// A server on this computer is reached through its socket, as PostgreSQL's
// own tools reach it: no host, the socket's folder given.
TEST_F(DepartmentTest, AServerIsReachedThroughItsSocket) {
  ArchiveFailure failure;
  const auto socket = DepartmentServer::parse(
      QStringLiteral("postgresql://tech1@:%1/department?host=%2").arg(pg.port()).arg(pg.socketDir()), &failure.reason);
  ASSERT_TRUE(socket) << failure.reason.toStdString();
  auto there = Archive::openDepartment(*socket, &failure);
  ASSERT_TRUE(there) << failure.message().toStdString();
  EXPECT_TRUE(there->records({}, &failure).isEmpty());
  EXPECT_TRUE(failure.reason.isEmpty()) << failure.message().toStdString();
}

// An import with a department named sends what it kept, as the desktop does
// after a download; a server that cannot be used leaves the import standing
// and the records waiting.
TEST_F(DepartmentTest, AnImportSendsToTheDepartmentNamed) {
  const QString archive = dir.filePath("archive.sqlite");
  const CliRun down = cli({"--demo", "--archive", archive, "--shared", "postgresql://tech1@127.0.0.1:1/department",
                           "archive", "import"});
  EXPECT_EQ(down.status, 0) << down.err.toStdString();
  EXPECT_TRUE(down.err.contains("wait on this computer")) << down.err.toStdString();
  const int kept = waiting(*local());
  ASSERT_GT(kept, 0);
  const CliRun up = cli({"--demo", "--archive", archive, "--shared", pg.url("tech1"), "archive", "import"});
  EXPECT_EQ(up.status, 0) << up.err.toStdString();
  EXPECT_TRUE(up.out.contains(QString("sent to the department's archive: %1 new").arg(kept))) << up.out.toStdString();
  EXPECT_EQ(pg.number("SELECT count(*) FROM record"), kept);
}

// Device details go to the department's archive with the records: every change
// is kept there with who made it and when, never changed or deleted, and a
// device's details are its latest change, whichever computer sent it first.
// The department's due dates then know each device's location and interval.
TEST_F(DepartmentTest, DeviceDetailsReachTheDepartmentAndTheLatestChangeWins) {
  const QString mineFile = dir.filePath("archive.sqlite");
  auto mine = local();
  auto colleagues = local("colleague.sqlite");
  ArchiveFailure failure;
  ASSERT_TRUE(mine->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), {report("ICU-1", 3)}, &failure));
  ASSERT_TRUE(mine->keepDeviceDetails({{"ICU-1", "ICU bay 2", 6, "spare pads"}, {"ER-4", "Emergency", {}, ""}}, &failure));
  // The colleague's change is made later but reaches the server first.
  QTest::qWait(5);
  ASSERT_TRUE(colleagues->keepDeviceDetails({{"ICU-1", "ICU bay 3", 12, ""}}, &failure));
  const auto theirs = sendQueued(*colleagues, *department("tech2"), {"asmith", "bench-2"}, &failure);
  ASSERT_TRUE(theirs) << failure.message().toStdString();
  EXPECT_EQ(theirs->details, 1);
  const auto sent = sendQueued(*mine, *department(), kSender, &failure);
  ASSERT_TRUE(sent) << failure.message().toStdString();
  EXPECT_EQ(sent->sent, 1);
  EXPECT_EQ(sent->details, 2);
  EXPECT_EQ(mine->queuedDetailCount(&failure), 0);

  const auto onServer = department()->deviceDetails(&failure);
  ASSERT_TRUE(onServer) << failure.message().toStdString();
  ASSERT_EQ(onServer->size(), 2);
  EXPECT_EQ((*onServer)[0].device, "ER-4");
  EXPECT_EQ((*onServer)[1].location, "ICU bay 3");
  EXPECT_EQ((*onServer)[1].intervalMonths, 12);
  QString changes;
  pg.sql("SELECT string_agg(location || ' by ' || changed_by || '@' || changed_from || ' as ' || sent_as, ', ' "
         "ORDER BY changed) FROM device_detail_change WHERE device = 'ICU-1'", "department", &changes);
  EXPECT_EQ(changes.trimmed(), "ICU bay 2 by jdoe@bench-7 as tech1, ICU bay 3 by asmith@bench-2 as tech2");

  // A change sent again (its answer lost on the way) is kept once; none is
  // ever changed or deleted, not even by the owner.
  ASSERT_TRUE(mine->keepDeviceDetails({{"ICU-1", "ICU bay 1", {}, ""}}, &failure));
  const QList<Archive::DetailChange> change = mine->queuedDetails(10, &failure);
  ASSERT_EQ(change.size(), 1);
  auto server = department();
  ASSERT_TRUE(server->receiveDetails(change, kSender, &failure));
  const auto twice = server->receiveDetails(change, kSender, &failure);
  ASSERT_TRUE(twice) << failure.message().toStdString();
  EXPECT_EQ(twice->known, 1);
  EXPECT_EQ(pg.number("SELECT count(*) FROM device_detail_change"), 4);
  EXPECT_FALSE(pg.sql("SET ROLE kalyx5pc_owner; DELETE FROM device_detail_change"));
  EXPECT_FALSE(pg.sql("SET ROLE tech1; UPDATE device_detail_change SET location = 'x'"));
  // A computer whose clock runs years ahead is taken as making its change on arrival.
  Archive::DetailChange ahead = change[0];
  ahead.changeId = "clock-ahead";
  ahead.changed = QDateTime(QDate(2099, 1, 1), QTime(0, 0), Qt::UTC);
  ASSERT_TRUE(server->receiveDetails({ahead}, kSender, &failure));
  EXPECT_EQ(pg.number("SELECT count(*) FROM device_detail_change WHERE changed::timestamptz > now()"), 0);

  // What a colleague changed comes back to this computer, where no change of
  // its own waits; a device only the colleague keeps does not.
  ASSERT_TRUE(sendQueued(*mine, *server, kSender, &failure));
  ASSERT_TRUE(colleagues->keepDeviceDetails({{"ER-4", "Emergency bay 1", 3, ""}, {"COLL-8", "Ward 8", {}, ""}},
                                            &failure));
  ASSERT_TRUE(sendQueued(*colleagues, *department("tech2"), {"asmith", "bench-2"}, &failure));
  ASSERT_TRUE(sendQueued(*mine, *server, kSender, &failure));
  const auto here = mine->deviceDetails(&failure);
  ASSERT_TRUE(here && here->size() == 2);
  EXPECT_EQ((*here)[0].location, "Emergency bay 1");
  EXPECT_EQ((*here)[0].intervalMonths, 3);
  EXPECT_EQ((*here)[1].location, "ICU bay 1");

  // A computer that kept details before it could send them (an older version)
  // sends them dated before any change: they never outrank a colleague's.
  auto older = local("older.sqlite");
  ASSERT_TRUE(older->keepDeviceDetails({{"ER-4", "Old store", {}, ""}, {"OLD-7", "Basement", {}, ""}}, &failure));
  for (const char* statement : {"DROP TABLE detail_outbox", "PRAGMA user_version=6"})
    ASSERT_TRUE(QSqlQuery(older->database()).exec(statement)) << statement;
  older.reset();
  older = local("older.sqlite");
  ASSERT_TRUE(sendQueued(*older, *department(), kSender, &failure)) << failure.message().toStdString();
  const auto merged = department()->deviceDetails(&failure);
  ASSERT_TRUE(merged && merged->size() == 4);
  EXPECT_EQ((*merged)[1].location, "Emergency bay 1");
  EXPECT_EQ((*merged)[3].device, "OLD-7");  // what the department lacked is filled in

  // The department's due dates: from everyone's tests, with the latest location.
  const CliRun due = cli({"--archive", mineFile, "--shared", pg.url("tech1"), "archive", "--department", "due",
                          "--location", "ICU"});
  EXPECT_EQ(due.status, 0) << due.err.toStdString();
  const QStringList rows = due.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 2) << due.out.toStdString();
  EXPECT_TRUE(rows[1].startsWith("ICU-1\t")) << rows[1].toStdString();
  EXPECT_TRUE(rows[1].contains("\tICU bay 1\t")) << rows[1].toStdString();
}

// A server that holds its connection and answers nothing is given up within
// the bound, said so, and reached again once it answers; a program that is
// closing stops at once.
TEST_F(DepartmentTest, ASilentServerIsGivenUpWithinItsBoundAndReachedAgain) {
  auto there = department();
  ArchiveFailure failure;
  there->setServerBounds(std::chrono::seconds(1), std::chrono::seconds(1));
  ASSERT_TRUE(pg.pause(true));
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(there->records({}, &failure).isEmpty());
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_TRUE(failure.reason.contains("did not answer within 1 s")) << failure.reason.toStdString();
  std::atomic<bool> closing = true;
  there->setCancel(&closing);
  failure = {};
  clock.restart();
  EXPECT_TRUE(there->records({}, &failure).isEmpty());
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(failure.reason.contains("closing")) << failure.reason.toStdString();
  there->setCancel(nullptr);
  ASSERT_TRUE(pg.pause(false));
  failure = {};
  there->records({}, &failure);  // opened again
  EXPECT_TRUE(failure.reason.isEmpty()) << failure.message().toStdString();

  ASSERT_TRUE(pg.stop() && pg.start());  // a server restarted: reached again at the next use
  failure = {};
  there->records({}, &failure);
  EXPECT_TRUE(failure.reason.isEmpty()) << failure.message().toStdString();
}

// A socket that takes the connection and never answers: the connection is
// given up within its bound, with a word on what to check; the command line
// does not hang, and a closing program does not wait for a sending.
TEST_F(DepartmentTest, ASocketThatNeverAnswersIsGivenUpOnConnect) {
  // A listening socket: the system takes the connections, nothing ever answers.
  const int silent = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(silent, 16), 0);
  ASSERT_EQ(getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const auto closeSilent = qScopeGuard([silent] { close(silent); });
  const QString url = QStringLiteral("postgresql://tech1@127.0.0.1:%1/department").arg(ntohs(address.sin_port));
  QElapsedTimer clock;
  clock.start();
  ArchiveFailure failure;
  EXPECT_FALSE(Archive::openDepartment(serverAt(url), &failure));
  EXPECT_LT(clock.elapsed(), 9000);
  EXPECT_TRUE(failure.reason.contains("did not answer within")) << failure.reason.toStdString();

  make("archive.sqlite", 5);
  clock.restart();
  const CliRun sync = cli({"--archive", dir.filePath("archive.sqlite"), "--shared", url, "archive", "sync"});
  EXPECT_EQ(sync.status, 1);
  EXPECT_LT(clock.elapsed(), 12000);

  DepartmentSync sending(dir.filePath("archive.sqlite"), serverAt(url));
  sending.start();
  clock.restart();
  sending.stop(2000);
  EXPECT_LT(clock.elapsed(), 2500);
  EXPECT_EQ(waiting(*local()), 5);
  // The connect still ends within its own bound, and the sending with it.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !sending.running(); }, 8000));
}

// The program's background sending: it empties the queue on a live server;
// against a server gone silent mid-way it stops within the closing program's
// wait, what was not sent stays queued, and the next sending holds each
// record once.
TEST_F(DepartmentTest, TheBackgroundSendingStopsInTimeAndLosesNothing) {
  make("archive.sqlite", 300);
  std::optional<SyncResult> result;
  ArchiveFailure failed;
  DepartmentSync sending(dir.filePath("archive.sqlite"), serverAt(pg.url("tech1")));
  QObject::connect(&sending, &DepartmentSync::finished, [&](const SyncResult& r, const ArchiveFailure& f) {
    result = r;
    failed = f;
  });
  sending.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 30000));
  EXPECT_TRUE(failed.reason.isEmpty()) << failed.message().toStdString();
  EXPECT_EQ(result->sent, 300);
  EXPECT_EQ(result->waiting, 0);

  make("archive.sqlite", 3000, 300);
  ASSERT_TRUE(pg.pause(true));
  auto resume = qScopeGuard([&] { pg.pause(false); });
  result.reset();
  sending.start();
  QTest::qWait(300);  // the sending waits on the silent server
  ASSERT_TRUE(sending.running());
  QElapsedTimer clock;
  clock.start();
  sending.stop(2000);
  EXPECT_LT(clock.elapsed(), 2500);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !sending.running(); }, 8000));
  EXPECT_EQ(waiting(*local()), 3000);

  ASSERT_TRUE(pg.pause(false));
  resume.dismiss();
  result.reset();
  sending.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value() && result->waiting == 0; }, 60000));
  EXPECT_EQ(onServer(), std::make_pair(qint64(3300), qint64(3300)));
}

namespace {
// A server that lets any login in and answers the statements a connection's
// opening sends, until one holds `silentAt`: from there it answers nothing,
// holding the connection, as a server stopped or cut off just then does.
class SilentAfterLogin {
 public:
  explicit SilentAfterLogin(std::string silentAt) : silentAt_(std::move(silentAt)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 8) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
      for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0;) {
        clients_.push_back(client);
        answer(client);
      }
    });
  }
  ~SilentAfterLogin() {
    shutdown(listener_, SHUT_RDWR);
    close(listener_);
    thread_.join();
    for (int client : clients_) close(client);
  }
  int port() const { return port_; }

 private:
  static bool receive(int client, std::string& bytes, std::size_t n) {
    bytes.resize(n);
    for (std::size_t got = 0; got < n;) {
      const ssize_t r = recv(client, bytes.data() + got, n - got, 0);
      if (r <= 0) return false;
      got += std::size_t(r);
    }
    return true;
  }
  static std::uint32_t be32(const std::string& bytes, std::size_t at = 0) {
    return std::uint32_t(std::uint8_t(bytes[at])) << 24 | std::uint32_t(std::uint8_t(bytes[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint8_t(bytes[at + 3]);
  }
  static std::string message(char type, const std::string& body) {
    const std::uint32_t n = std::uint32_t(body.size() + 4);
    return std::string(1, type) + char(n >> 24) + char(n >> 16) + char(n >> 8) + char(n) + body;
  }
  void answer(int client) {
    std::string header, body;
    for (;;) {  // a request for TLS or GSS encryption is refused, then the login follows
      if (!receive(client, header, 4) || !receive(client, body, be32(header) - 4)) return;
      if (be32(body) != 80877103 && be32(body) != 80877104) break;
      send(client, "N", 1, MSG_NOSIGNAL);
    }
    std::string hello = message('R', std::string(4, '\0'));
    for (const auto& [name, value] : {std::pair{"server_version", "15.0"}, {"client_encoding", "UTF8"},
                                      {"standard_conforming_strings", "on"}, {"integer_datetimes", "on"}})
      hello += message('S', std::string(name) + '\0' + value + '\0');
    hello += message('K', std::string(8, '\1')) + message('Z', "I");
    send(client, hello.data(), hello.size(), MSG_NOSIGNAL);
    for (;;) {
      if (!receive(client, header, 5) || !receive(client, body, be32(header, 1) - 4)) return;
      if (body.find(silentAt_) != std::string::npos || header[0] == 'X') return;
      const std::string done = message('C', std::string("SET", 4)) + message('Z', "I");
      send(client, done.data(), done.size(), MSG_NOSIGNAL);
    }
  }

  std::string silentAt_;
  int listener_ = -1;
  int port_ = 0;
  std::vector<int> clients_;
  std::thread thread_;
};
}  // namespace

namespace {
// Passes each connection through to the server and cuts it once the server
// has sent `limit` bytes over it: a network lost in the middle of an answer.
class CuttingProxy {
 public:
  CuttingProxy(int serverPort, std::size_t limit) : serverPort_(serverPort), limit_(limit) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 8) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
      for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0;) pass(client);
    });
  }
  ~CuttingProxy() {
    shutdown(listener_, SHUT_RDWR);
    close(listener_);
    thread_.join();
  }
  int port() const { return port_; }

 private:
  static sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(std::uint16_t(port));
    return address;
  }
  void pass(int client) {
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(serverPort_);
    if (connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      std::thread up([client, server] {
        char bytes[65536];
        for (ssize_t n; (n = recv(client, bytes, sizeof bytes, 0)) > 0;)
          if (send(server, bytes, std::size_t(n), MSG_NOSIGNAL) < 0) break;
        shutdown(server, SHUT_RDWR);
      });
      char bytes[65536];
      std::size_t passed = 0;
      for (ssize_t n; passed < limit_ && (n = recv(server, bytes, std::min(sizeof bytes, limit_ - passed), 0)) > 0;) {
        if (send(client, bytes, std::size_t(n), MSG_NOSIGNAL) < 0) break;
        passed += std::size_t(n);
      }
      shutdown(client, SHUT_RDWR);
      shutdown(server, SHUT_RDWR);
      up.join();
    }
    close(server);
    close(client);
  }

  int serverPort_;
  std::size_t limit_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};
}  // namespace

// A read the network cuts in the middle of the server's answer shows nothing
// of it and says so, in the program as on the command line, however often it
// is tried again.
TEST_F(DepartmentTest, AReadCutOffMidwayShowsNothingAndSaysSo) {
  make("archive.sqlite", 3000);
  {
    ArchiveFailure failure;
    auto mine = local();
    ASSERT_TRUE(sendQueued(*mine, *department(), kSender, &failure)) << failure.message().toStdString();
  }
  CuttingProxy proxy(pg.port(), 256 * 1024);  // the 3,000 records are some 2.5 MB
  ASSERT_NE(proxy.port(), 0);
  QFile passwords(pg.passFile());
  ASSERT_TRUE(passwords.open(QIODevice::Append));
  passwords.write(QStringLiteral("127.0.0.1:%1:*:tech1:tech1-pw\n").arg(proxy.port()).toUtf8());
  passwords.close();
  const QString url = QStringLiteral("postgresql://tech1@127.0.0.1:%1/department").arg(proxy.port());

  ArchiveFailure failure;
  auto there = Archive::openDepartment(serverAt(url), &failure);
  ASSERT_TRUE(there) << failure.message().toStdString();
  EXPECT_TRUE(there->records({}, &failure).isEmpty());
  EXPECT_FALSE(failure.reason.isEmpty());
  for (const QStringList& command : {QStringList{"list"}, QStringList{"export", "--csv", dir.filePath("export.csv")},
                                     QStringList{"due"}}) {
    const CliRun read = cli(QStringList{"--archive", dir.filePath("archive.sqlite"), "--shared", url, "archive",
                                        "--department"} + command);
    EXPECT_EQ(read.status, 1) << command.join(' ').toStdString();
    EXPECT_EQ(read.out, "") << command.join(' ').toStdString();
    EXPECT_FALSE(read.err.isEmpty()) << command.join(' ').toStdString();
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("export.csv")));
}

// A server that lets the login in and then answers nothing: opening it is
// given up within the connect's bound, saying so.
TEST(DepartmentServerSilence, ALoginFollowedBySilenceIsGivenUpWithinTheConnectsBound) {
  SilentAfterLogin server("plan_cache_mode");
  ASSERT_NE(server.port(), 0);
  QElapsedTimer clock;
  clock.start();
  ArchiveFailure failure;
  EXPECT_FALSE(Archive::openDepartment(
      serverAt(QStringLiteral("postgresql://tech1@127.0.0.1:%1/department").arg(server.port())), &failure));
  EXPECT_LT(clock.elapsed(), 9000);
  EXPECT_TRUE(failure.reason.contains("did not answer within")) << failure.reason.toStdString();
}

// Each failure says what happened, in the server's words without the client
// library's prefixes, and what to do about it.
TEST(DepartmentMessages, EachFailureSaysWhatHappenedAndWhatToDo) {
  const struct {
    const char* driver;
    const char* database;
    const char* says;    // in the message shown
    const char* advice;  // in the advice after it
  } cases[] = {
      {"", "FATAL:  password authentication failed for user \"tech1\"", "password authentication failed for user",
       "password file"},
      {"QPSQL: Unable to send query", "", "no connection to the server", "opened again at the next use"},
      {"", "SSL SYSCALL error: EOF detected", "SSL SYSCALL error", "connection to the server was lost"},
      {"", "ERROR:  canceling statement due to statement timeout", "canceling statement", "took too long"},
      {"", "root certificate file \"/root/.postgresql/root.crt\" does not exist\nEither provide the file",
       "root certificate file", "put it in ~/.postgresql/root.crt"},
      {"", "server does not support SSL, but SSL was required", "does not support SSL", "sslmode"},
      {"", "timeout expired", "timeout expired", "did not answer within"},
      // As the client library gives a refused connection: where it connected first.
      {"", "connection to server at \"127.0.0.1\", port 5432 failed: FATAL:  role \"tech1\" is not permitted to log in",
       "role \"tech1\" is not permitted to log in", "does not let this login in"},
      {"", "connection to server on socket \"/run/postgresql/.s.PGSQL.5432\" failed: FATAL:  role \"x\" does not exist",
       "role \"x\" does not exist", "does not let this login in"},
      {"", "FATAL:  terminating connection due to administrator command\nserver closed the connection unexpectedly",
       "terminating connection", "connection to the server was lost"},
  };
  for (const auto& c : cases) {
    const QString message = archivesql::serverMessage(QSqlError(c.driver, c.database, QSqlError::ConnectionError));
    EXPECT_TRUE(message.contains(c.says)) << message.toStdString();
    EXPECT_FALSE(message.contains("connection to server")) << message.toStdString();
    EXPECT_FALSE(message.contains("FATAL:") || message.contains("ERROR:") || message.contains("QPSQL")) << message.toStdString();
    EXPECT_TRUE(departmentAdvice(message, "postgresql://db/k5").contains(c.advice))
        << c.says << ": " << departmentAdvice(message, "postgresql://db/k5").toStdString();
  }
}
