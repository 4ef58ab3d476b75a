#include "testreport/testrecord.h"

#include "analyzer/byteorder.h"
#include "core/text8bit.h"

#include <cstring>

using namespace testrec;

namespace {
template <class Entry, class Predicate>
bool anyEntry(const TTestRec& rec, Predicate failed) {
  for (std::size_t k = 0; k < Entry::Count; ++k)
    if (failed(entryAt<Entry>(rec, k))) return true;
  return false;
}
}  // namespace

void swapTestRec(char* record) {
  auto* bytes = reinterpret_cast<unsigned char*>(record);
  const quint8 dutType = bytes[testrec::DutTypeByte];
  if (dutType == DutDefibrillator) swapEntries<EnergyEntry>(bytes);
  else if (dutType == DutAed) swapEntries<AedEntry>(bytes);
  swapEntries<ChargeTimeTest>(bytes);
  swapEntries<CardioversionEntry>(bytes);
  swapEntries<NoiseImmunityTest>(bytes);
  swapEntries<PacerEntry>(bytes);
  swapEntries<DemandEntry>(bytes);
  swapEntries<RefractoryEntry>(bytes);
}

void swapTestRec(TTestRec& record) { swapTestRec(record.data()); }

TTestRec testRecFromBytes(const char* bytes) {
  TTestRec rec;
  memcpy(rec.bytes.data(), bytes, TTestRec::Size);
  return rec;
}

TTestRec newTestRec(const char* deviceId, const DateTimeBytes& when, quint8 autoSeq, quint8 dutType) {
  TTestRec r;
  r.setText(testrec::DeviceId, testrec::DeviceIdSize, deviceId);
  r.setU8(testrec::Day, when.day), r.setU8(testrec::Month, when.month), r.setU8(testrec::Year, when.year);
  r.setU8(testrec::Hour, when.hour), r.setU8(testrec::Minute, when.minute), r.setU8(testrec::Second, when.second);
  r.setU8(testrec::AutoSeqNumber, autoSeq);
  r.setU8(testrec::DutTypeByte, dutType);
  return r;
}

QString rawDeviceIdText(const TTestRec& rec) {
  return fieldText(QByteArrayView(rec.data() + testrec::DeviceId, testrec::DeviceIdSize));
}

QString deviceIdText(const TTestRec& rec) { return trimmedOfBlanksAndControls(rawDeviceIdText(rec)); }

QString dutTypeName(const TTestRec& rec) {
  switch (rec.u8(testrec::DutTypeByte)) {
    case DutDefibrillator: return QStringLiteral("Defibrillator");
    case DutAed: return QStringLiteral("AED");
    default: return QString();
  }
}

QString testTypeText(const TTestRec& rec) {
  const quint8 number = rec.u8(testrec::AutoSeqNumber);
  return number == 0 ? QStringLiteral("Manual") : QStringLiteral("Autosequence ") + QString::number(number);
}

DateTimeBytes testDateTime(const TTestRec& rec) {
  return DateTimeBytes{rec.u8(testrec::Day),  rec.u8(testrec::Month),  rec.u8(testrec::Year),
                       rec.u8(testrec::Hour), rec.u8(testrec::Minute), rec.u8(testrec::Second)};
}

QString waveformKindText(const TTestRec& rec) {
  if (rec.u8(testrec::DutTypeByte) != DutDefibrillator) return QString();
  const EnergyEntry first = entryAt<EnergyEntry>(rec, 0);
  if (first.result == NotPerformed) return QString();
  if (first.phase2Width == 0) return QStringLiteral("Monophasic ");
  if (first.pulseFrequency != 0) return QStringLiteral("Pulsed Biphasic ");
  return QStringLiteral("Biphasic ");
}

bool testRecPassed(const TTestRec& rec) {
  const auto failedResult = [](const auto& e) { return e.result == Fail; };
  if (rec.u8(testrec::DutTypeByte) == DutDefibrillator) {
    if (anyEntry<EnergyEntry>(rec, failedResult)) return false;
  } else if (anyEntry<AedEntry>(rec, [](const AedEntry& e) { return e.flags != 0 && (e.flags & AedEntry::FailBit); })) {
    return false;
  }
  if (entryAt<ChargeTimeTest>(rec, 0).result == Fail) return false;
  if (anyEntry<CardioversionEntry>(rec, failedResult)) return false;
  if (anyEntry<EcgEntry>(rec, failedResult)) return false;
  const NoiseImmunityTest noise = entryAt<NoiseImmunityTest>(rec, 0);
  if (noise.frequency != 0 && noise.amplitude != NoiseImmunityTest::PassingAmplitude) return false;
  if (anyEntry<PacerEntry>(rec, failedResult)) return false;
  if (anyEntry<DemandEntry>(rec, failedResult)) return false;
  if (anyEntry<RefractoryEntry>(rec, failedResult)) return false;
  return true;
}
