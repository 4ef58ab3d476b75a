#pragma once
#include "archive/archive.h"
#include "support/testfiles.h"
#include "support/testreportbuilders.h"

#include <QFile>

// An archive of `count` weekly test reports of one device, then damaged as a
// failing disk or a cut copy leaves it: a run of its pages past the middle is
// overwritten, so that every read starts well and stops part way.
inline void makeDamagedArchive(const QString& path, int count, const char* device) {
  {
    ArchiveFailure failure;
    std::unique_ptr<Archive> archive = Archive::open(path, &failure);
    ASSERT_TRUE(archive) << failure.message().toStdString();
    QList<QByteArray> reports;
    for (int i = 0; i < count; ++i) {
      const QDate day = QDate(2001, 1, 1).addDays(7 * i);
      TTestRec rec = makeTestRec(device, {quint8(day.day()), quint8(day.month()), quint8(day.year() - 2000), 9, 0, 0},
                                 1, testrec::DutDefibrillator);
      setEntryAt(rec, 0, testrec::EnergyEntry{.totalEnergy = 2000, .targetEnergy = 2000, .tolerance = 2, .result = testrec::Pass});
      reports << QByteArray(rec.data(), TTestRec::Size);
    }
    ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(), reports, &failure));
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  constexpr qint64 kPage = 4096;
  const qint64 pages = file.size() / kPage;
  ASSERT_GT(pages, 100) << "too small an archive to damage in its middle";
  file.seek(pages * 6 / 10 * kPage);
  file.write(QByteArray(10 * kPage, '\xA5'));
}
