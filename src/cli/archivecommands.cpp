#include "cli/archivecommands.h"

#include "analyzer/systeminfo.h"
#include "archive/archivebackup.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"
#include "archive/devicehistory.h"
#include "maintenance/forecast.h"
#include "maintenance/nearlimit.h"
#include "cli/clicommands.h"
#include "core/usermessages.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "testreport/reportrender.h"
#include "testreport/testrecord.h"
#include "waveform/waverecord.h"

#include <QDir>
#include <QTextStream>
#include <cstdio>

namespace {
const QString kTestedFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

int archiveFailed(UserMessages& messages, const ArchiveFailure& failure) {
  messages.show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error);
  return 1;
}

// Passes every message on, remembering the last, so that an analyzer with
// nothing of a kind to give is told from a transfer that failed.
class LastMessage : public UserMessages {
 public:
  explicit LastMessage(UserMessages& to) : to_(to) {}
  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override {
    last = text;
    return to_.show(text, caption, icon, buttons);
  }
  QString last;

 private:
  UserMessages& to_;
};

// A text as one field of a tab-separated line: a tab, line end or other control
// character inside it is shown as \t, \n, \r or \xNN, and a backslash as \\.
QString field(const QString& text) {
  QString out;
  for (QChar c : text) {
    if (c == QLatin1Char('\\')) out += QStringLiteral("\\\\");
    else if (c == QLatin1Char('\t')) out += QStringLiteral("\\t");
    else if (c == QLatin1Char('\n')) out += QStringLiteral("\\n");
    else if (c == QLatin1Char('\r')) out += QStringLiteral("\\r");
    else if (c.unicode() < 0x20 || c.unicode() == 0x7F) out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else out += c;
  }
  return out;
}

QString testedText(const QDateTime& tested) { return tested.isValid() ? tested.toString(kTestedFormat) : QString(); }
}  // namespace

int runArchiveImport(DeviceLink& link, Archive& archive, QTextStream& out) {
  struct Import {
    const RecordKind& kind;
    ArchiveKind kept;
    SwapRoutine swap;
  };
  const Import imports[] = {{kTestReportRecords, ArchiveKind::TestReport, swapTestRec},
                            {kWaveRecords, ArchiveKind::WaveRecord, swapWaveRec}};
  LastMessage messages(link.messages);
  DeviceLink told{link.driver, messages};
  for (const Import& import : imports) {
    HeadlessProgressHost host(messages);
    QList<QByteArray> received;
    QString analyzerId;
    const bool done = runDownload(told, host, import.kind, import.swap,
                                  [&](const SystemInfo& info, const QList<QByteArray>& blocks) {
                                    received = blocks;
                                    analyzerId = info.analyzerId();
                                  });
    if (!done && messages.last != nothingToDownloadText(import.kind)) return 1;
    Archive::Stored stored;
    if (done) {
      ArchiveFailure failure;
      const std::optional<Archive::Stored> kept =
          archive.store(import.kept, analyzerId, QDateTime::currentDateTimeUtc(), received, &failure);
      if (!kept) return archiveFailed(link.messages, failure);
      stored = *kept;
    }
    out << import.kind.noun << ": " << stored.added << " new, " << stored.known << " already archived\n";
    out.flush();
  }
  return 0;
}

int runArchiveList(const Archive& archive, const ArchiveFilter& filter, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  const QList<ArchivedRecord> records = archive.records(filter, &failure);
  if (!failure.reason.isEmpty()) return archiveFailed(messages, failure);
  out << "id\tkind\tanalyzer\tdevice\ttested\tverdict\ttitle\n";
  for (const ArchivedRecord& r : records) {
    const QString verdict =
        r.kind == ArchiveKind::TestReport ? (r.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL")) : QString();
    out << r.id << '\t' << archiveKindName(r.kind) << '\t' << field(r.analyzer) << '\t' << field(r.device) << '\t'
        << testedText(r.tested) << '\t' << verdict << '\t' << field(r.title) << '\n';
  }
  return 0;
}

int runArchiveExport(const Archive& archive, const ArchiveFilter& filter, const ReportsRequest& request,
                     UserMessages& messages, QTextStream& out) {
  ArchiveFilter reports = filter;
  reports.kind = ArchiveKind::TestReport;
  ArchiveFailure failure;
  const QList<ArchivedRecord> records = archive.records(reports, &failure, ArchiveOrder::ByArrival);
  if (!failure.reason.isEmpty()) return archiveFailed(messages, failure);
  QList<ShownReport> shown;
  for (const ArchivedRecord& r : records) {
    if (r.bytes.size() != TTestRec::Size) continue;  // a damaged row is never read past its end
    const TTestRec rec = testRecFromBytes(r.bytes.constData());
    shown.append({rec, r.number - 1, renderTestReport(rec, r.number - 1, r.analyzer)});
  }
  return printOrExportReports(shown, request, messages, out);
}

int runArchiveHistory(const Archive& archive, const QString& device, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  const QList<DeviceTest> tests = deviceTests(archive, device, &failure);
  if (!failure.reason.isEmpty()) return archiveFailed(messages, failure);
  QList<HistoryPoint> points = historyPoints(tests);
  nearLimitWarnings(points);
  out << "date\ttest\ttarget\tmeasured\tlimit\tverdict\tnear limit\n";
  for (const HistoryPoint& p : points)
    out << testedText(p.tested) << '\t' << testName(p.test) << '\t' << QString::number(p.target, 'f', 1) << " J\t"
        << measuredText(p) << '\t' << limitText(p) << '\t' << (p.passed ? "PASS" : "FAIL") << '\t'
        << (p.nearLimit ? "near limit" : "") << '\n';
  // Then when a drifting value is expected to reach its limit: the month, and
  // how many tests the line rests on.
  for (const Forecast& f : forecasts(points))
    if (f.reaches)
      out << "forecast\t" << testName(f.test) << '\t' << f.limit << '\t' << f.reaches->toString(QStringLiteral("yyyy-MM"))
          << '\t' << f.tests << '\n';
  return 0;
}

int runArchiveBackup(const QString& path, const QString& target, UserMessages& messages, QTextStream& out) {
  int told = 0;
  const auto progress = [&told](int percent) {
    for (; told + 10 <= percent && percent < 100; told += 10) std::fprintf(stderr, "backing up: %d %%\n", told + 10);
  };
  ArchiveFailure failure;
  if (!backUpArchive(path, target, progress, &failure)) {
    messages.show(QStringLiteral("The archive could not be backed up in %1.\n%2")
                      .arg(QDir::toNativeSeparators(target), failure.reason),
                  QStringLiteral("Archive"), UserMessages::Icon::Error);
    return 1;
  }
  out << "the archive " << QDir::toNativeSeparators(path) << " is backed up in " << QDir::toNativeSeparators(target)
      << '\n';
  return 0;
}

int runArchiveCheck(const Archive& archive, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  const QStringList integrity = archive.integrityCheck(&failure);
  if (!failure.reason.isEmpty()) return archiveFailed(messages, failure);
  const bool whole = integrity == QStringList{QStringLiteral("ok")};
  for (const QString& line : integrity) out << "integrity: " << line << '\n';
  const struct {
    ArchiveKind kind;
    const char* noun;
  } kinds[] = {{ArchiveKind::TestReport, "test reports"},
               {ArchiveKind::WaveRecord, "wave records"},
               {ArchiveKind::Capture, "captures"}};
  for (const auto& k : kinds) {
    const std::optional<int> n = archive.count(k.kind, &failure);
    if (!n) return archiveFailed(messages, failure);
    out << k.noun << ": " << *n << '\n';
  }
  return whole ? 0 : 1;
}

namespace {
void printSent(const SyncResult& sent, QTextStream& out) {
  out << "sent to the department's archive: " << sent.sent << " new, " << sent.known << " already there, "
      << sent.waiting << " waiting\n";
  if (!sent.readBack.isEmpty())
    out << "the department's latest device details were not taken back: " << sent.readBack << '\n';
  if (sent.details + sent.detailsWaiting > 0)
    out << "changes to device details sent: " << sent.details << ", " << sent.detailsWaiting << " waiting\n";
  if (sent.setAside > 0)
    out << sent.setAside << " refused by the department's archive and kept here: " << sent.refusal << '\n';
}
}  // namespace

int runArchiveSync(Archive& local, const DepartmentServer& server, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  std::unique_ptr<Archive> department = Archive::openDepartment(server, &failure);
  if (!department || !failure.reason.isEmpty()) return archiveFailed(messages, failure);
  // Asked for by hand: what the server refused before is tried again.
  if (!local.queueRefusedAgain(&failure)) return archiveFailed(messages, failure);
  const std::optional<SyncResult> sent = sendQueued(local, *department, Sender::current(), &failure);
  if (!sent) return archiveFailed(messages, failure);
  printSent(*sent, out);
  return sent->setAside > 0 ? 1 : 0;
}

void sendAfterImport(Archive& local, const DepartmentServer& server, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  std::unique_ptr<Archive> department = Archive::openDepartment(server, &failure);
  std::optional<SyncResult> sent;
  if (department && failure.reason.isEmpty()) sent = sendQueued(local, *department, Sender::current(), &failure);
  if (!sent) {
    ArchiveFailure counting;
    const int records = local.queuedCount(&counting).value_or(0);
    const int changes = local.queuedDetailCount(&counting).value_or(0);
    const QString waiting =
        changes == 0 ? QStringLiteral("%1 records wait on this computer to be sent.").arg(records)
                     : QStringLiteral("%1 records and %2 changes to device details wait on this computer to be sent.")
                           .arg(records)
                           .arg(changes);
    messages.show(failure.message() + QStringLiteral("\n") + waiting,
                  QStringLiteral("Archive"), UserMessages::Icon::Warning);
    return;
  }
  printSent(*sent, out);
}

int runArchiveInit(const DepartmentServer& server, const QString& localPath, UserMessages& messages, QTextStream& out) {
  ArchiveFailure failure;
  const std::optional<int> version = Archive::initDepartment(server, &failure);
  if (!version) return archiveFailed(messages, failure);
  out << "the department's archive " << server.address() << ": schema " << *version;
  if (*version > Archive::knownDepartmentSchemaVersion())
    out << " (newer than this program's " << Archive::knownDepartmentSchemaVersion() << "; left as it is)";
  out << '\n';
  // What the server refused before may be taken now: this computer tries it again.
  if (std::unique_ptr<Archive> local = Archive::open(localPath, &failure, Archive::Opening::Existing);
      local && !local->readOnly())
    if (const std::optional<int> again = local->queueRefusedAgain(&failure); again && *again > 0)
      out << *again << " records refused before wait to be sent again\n";
  return 0;
}
