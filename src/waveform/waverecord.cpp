#include "waveform/waverecord.h"

#include "analyzer/byteorder.h"
#include "core/text8bit.h"

#include <cstring>

void swapWaveRec(char* record) {
  for (std::size_t offset : {waverec::PeakVoltage, waverec::PeakCurrent, waverec::Width10, waverec::Width50,
                             waverec::Energy})
    swapWord(record + offset);
}

QString waveDeviceIdText(const WaveRecord& rec) {
  return trimmedOfBlanksAndControls(fieldText(QByteArrayView(rec.data() + waverec::DeviceId, waverec::DeviceIdSize)));
}

DateTimeBytes waveDateTime(const WaveRecord& rec) {
  return DateTimeBytes{rec.u8(waverec::Day),  rec.u8(waverec::Month),  rec.u8(waverec::Year),
                       rec.u8(waverec::Hour), rec.u8(waverec::Minute), rec.u8(waverec::Second)};
}

QString waveTestTypeText(const WaveRecord& rec) {
  switch (rec.u8(waverec::TestTypeAndNumber) & 0x0F) {
    case 0: return QStringLiteral("Energy");
    case 1: return QStringLiteral("Charge Time");
    case 2: return QStringLiteral("Cardioversion");
    default: return QString();
  }
}

int waveTestNumber(const WaveRecord& rec) { return rec.u8(waverec::TestTypeAndNumber) >> 4; }

double waveSamplePeriodMs(const WaveRecord& rec) { return rec.u8(waverec::IntervalFlag) != 0 ? 0.0456 : 0.0114; }

WaveRecord waveRecordFromBytes(const char* bytes) {
  WaveRecord rec;
  memcpy(rec.bytes.data(), bytes, WaveRecord::Size);
  return rec;
}
