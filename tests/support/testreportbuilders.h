#pragma once
#include "samplerecords.h"
#include "testrecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Test records built field by field, in host order.
inline TTestRec makeTestRec(const char* id, DateTimeBytes when, quint8 autoSeq, quint8 dutType) {
  return newTestRec(id, when, autoSeq, dutType);
}

// The complete defibrillator report: biphasic energy entries 1 (pass) and 3 (no
// verdict), charge time, one cardioversion, two ECG tests, one pacer pulse at load
// index 1 with energy −2345, noise immunity 50 Hz at 1000, one demand sensitivity
// and one refractory period test. The demo shows the same record.
inline TTestRec completeDefibRecord() { return sampleCompleteTestRecord(); }

// The lines of a report, each ended by a line feed, as the golden files hold them.
inline QString joinedLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1Char('\n');
  return text;
}

inline QString goldenFile(const QString& name) {
  QFile file(QStringLiteral(KALYX_TEST_DATA "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing golden file %1>").arg(name);
  return QString::fromUtf8(file.readAll());
}
