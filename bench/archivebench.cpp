#include "archivebench.h"

#include "benchsupport.h"
#include "testreport/samplerecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

std::unique_ptr<Archive> openLargeArchive() {
  const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("archive-1m.sqlite"));
  if (!QFile::exists(path)) {
    std::printf("making the large archive (%d reports of %d devices) once: %s\n", kLargeReports, kLargeDevices,
                qPrintable(path));
    std::fflush(stdout);
    QProcess maker;
    maker.start(QStringLiteral(KALYX_ARCHIVE_MAKER),
                {path + QStringLiteral(".part"), QString::number(kLargeReports), QStringLiteral("--devices"),
                 QString::number(kLargeDevices), QStringLiteral("--per-import"), QStringLiteral("50000")});
    if (!maker.waitForFinished(-1) || maker.exitCode() != 0 ||
        !QFile::rename(path + QStringLiteral(".part"), path)) {
      noteFailure(QStringLiteral("the large archive could not be made: ") +
                  QString::fromLocal8Bit(maker.readAllStandardError()));
      return nullptr;
    }
  }
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(path, &failure);
  if (!archive) noteFailure(failure.message());
  return archive;
}

QList<QByteArray> freshReports(int count) {
  static int made = 0;
  const QList<TTestRec> samples = sampleTestRecords();
  QList<QByteArray> reports;
  for (int i = 0; i < count; ++i, ++made) {
    TTestRec rec = samples[made % samples.size()];
    rec.setText(testrec::DeviceId, testrec::DeviceIdSize, QByteArray("NEW-" + QByteArray::number(made)).constData());
    reports.append(QByteArray(rec.data(), TTestRec::Size));
  }
  return reports;
}

double residentMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}
