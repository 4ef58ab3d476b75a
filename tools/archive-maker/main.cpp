// kalyx5pc-make-archive: fills an archive with test reports made from the
// sample records, each with a device I.D. and a test date of its own.
//
//   kalyx5pc-make-archive FILE COUNT [--devices N] [--per-import N] [--from N]
//
// Report n (from --from, default 0) is sample n % 12 as device "DEV-<n % N>",
// tested a week after that device's test before, its first delivered energy a
// little off so that histories move. Each import stores --per-import reports in
// one transaction (default: all of them in one); after each, "stored N" is
// printed, so a caller can follow along.

#include "archive/archive.h"
#include "testreport/samplerecords.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

using namespace testrec;

namespace {
QByteArray madeReport(const QList<TTestRec>& samples, qint64 n, qint64 devices) {
  TTestRec rec = samples[int(n % samples.size())];
  rec.setText(DeviceId, DeviceIdSize, QByteArray("DEV-" + QByteArray::number(n % devices)).constData());
  const QDateTime tested =
      QDateTime(QDate(2001, 1, 1), QTime(8, 0)).addDays(7 * (n / devices)).addSecs(n % devices % 36000);
  rec.setU8(Year, quint8(tested.date().year() - 2000)), rec.setU8(Month, quint8(tested.date().month()));
  rec.setU8(Day, quint8(tested.date().day())), rec.setU8(Hour, quint8(tested.time().hour()));
  rec.setU8(Minute, quint8(tested.time().minute())), rec.setU8(Second, quint8(tested.time().second()));
  EnergyEntry first = entryAt<EnergyEntry>(rec, 0);
  if (first.targetEnergy != 0 && rec.u8(DutTypeByte) == DutDefibrillator) {
    first.totalEnergy = quint16(first.targetEnergy + (n / devices % 9 - 4) * 20);
    setEntryAt(rec, 0, first);
  }
  return QByteArray(rec.data(), TTestRec::Size);
}

qint64 option(const QStringList& args, const QString& name, qint64 fallback) {
  const qsizetype at = args.indexOf(name);
  return at >= 0 && at + 1 < args.size() ? args[at + 1].toLongLong() : fallback;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 3 || args[2].toLongLong() <= 0) {
    std::fprintf(stderr, "usage: kalyx5pc-make-archive FILE COUNT [--devices N] [--per-import N] [--from N]\n");
    return 2;
  }
  const qint64 count = args[2].toLongLong();
  const qint64 devices = qMax<qint64>(1, option(args, QStringLiteral("--devices"), 20000));
  const qint64 perImport = qMax<qint64>(1, option(args, QStringLiteral("--per-import"), count));
  const qint64 from = option(args, QStringLiteral("--from"), 0);

  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(args[1], &failure);
  if (!archive || archive->readOnly()) {
    std::fprintf(stderr, "%s\n", qPrintable(failure.message()));
    return 1;
  }
  const QList<TTestRec> samples = sampleTestRecords();
  for (qint64 n = from; n < from + count; n += perImport) {
    QList<QByteArray> reports;
    for (qint64 i = n; i < qMin(n + perImport, from + count); ++i) reports.append(madeReport(samples, i, devices));
    if (!archive->store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), reports,
                        &failure)) {
      std::fprintf(stderr, "%s\n", qPrintable(failure.message()));
      return 1;
    }
    std::printf("stored %lld\n", static_cast<long long>(n + reports.size() - from));
    std::fflush(stdout);
  }
  return 0;
}
