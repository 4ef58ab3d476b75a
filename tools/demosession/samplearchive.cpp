#include "demosession/samplearchive.h"

#include "archive/archive.h"
#include "testreport/samplerecords.h"

#include <QDateTime>

bool fillSampleArchive(Archive& archive) {
  using namespace testrec;
  QList<QByteArray> reports;
  for (const TTestRec& rec : sampleTestRecords()) reports.append(QByteArray(rec.data(), TTestRec::Size));
  for (int i = 0; i < 8; ++i) {
    TTestRec rec = sampleCompleteTestRecord();
    rec.setText(DeviceId, DeviceIdSize, "ER-DEFIB-01");
    // Two tests a year, March and September, from 2022 to 2025: a history in the past.
    rec.setU8(Year, quint8(22 + i / 2)), rec.setU8(Month, quint8(3 + 6 * (i % 2))), rec.setU8(Day, 14);
    for (std::size_t k = 0; k < EnergyEntry::Count; ++k) {
      EnergyEntry e = entryAt<EnergyEntry>(rec, k);
      if (e.targetEnergy != 0) e.totalEnergy = quint16(e.targetEnergy - e.targetEnergy * (i * i) / 400);
      setEntryAt(rec, k, e);
    }
    ChargeTimeTest c = entryAt<ChargeTimeTest>(rec, 0);
    c.chargeTime = quint16(c.maxChargeTime * 10 * (45 + 5 * i) / 100);
    setEntryAt(rec, 0, c);
    reports.append(QByteArray(rec.data(), TTestRec::Size));
  }
  ArchiveFailure failure;
  return archive.store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), reports,
                       &failure)
      .has_value();
}
