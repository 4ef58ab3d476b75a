#include "reportbench.h"

#include "testreport/samplerecords.h"

#include <cstring>

QList<TTestRec> benchReports(int count) {
  const QList<TTestRec> samples = sampleTestRecords();
  QList<TTestRec> records;
  for (int i = 0; i < count; ++i) {
    // Each its own device I.D. ("BENCH007"), so each has its own text file.
    TTestRec rec = samples[i % samples.size()];
    const QByteArray id = QByteArrayLiteral("BENCH") + QByteArray::number(i).rightJustified(3, '0');
    memset(rec.data() + testrec::DeviceId, 0, testrec::DeviceIdSize);
    memcpy(rec.data() + testrec::DeviceId, id.constData(), size_t(id.size()));
    records << rec;
  }
  return records;
}

QList<int> benchIndexes(int count) {
  QList<int> indexes;
  for (int i = 0; i < count; ++i) indexes << i;
  return indexes;
}

void prepareWidgetBench() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  installQuietPlatformNotes();
}
