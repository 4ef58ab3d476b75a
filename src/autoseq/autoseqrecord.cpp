#include "autoseq/autoseqrecord.h"

#include "analyzer/byteorder.h"
#include "core/text8bit.h"

#include <cstring>

using namespace autoseq;

TAutoSeq initAutoSeq() {
  TAutoSeq rec;
  rec.setU8(Device, DefibTimer5s);
  rec.setU8(TriggerMode, 1);
  return rec;
}

QString autoSeqTitleText(const TAutoSeq& rec) {
  return trimmedOfBlanksAndControls(fieldText(QByteArrayView(rec.data() + Title, TitleSize)));
}

void setAutoSeqTitle(TAutoSeq& rec, const QString& title) {
  const QByteArray bytes = toWindows1252(title.left(int(TitleSize)));
  for (std::size_t i = 0; i < TitleSize; ++i) rec.setU8(Title + i, i < std::size_t(bytes.size()) ? quint8(bytes[i]) : 0);
}

bool isAedAutoSeq(const TAutoSeq& rec) { return rec.u8(Device) == Aed; }

QString autoSeqDutName(const TAutoSeq& rec) {
  switch (rec.u8(Device)) {
    case Aed: return QStringLiteral("AED");
    case Empty: return QStringLiteral("Empty");
    default: return QStringLiteral("Defibrillator");
  }
}

void swapAutoSeq(char* record) {
  auto* bytes = reinterpret_cast<unsigned char*>(record);
  if (bytes[Device] != Aed) swapEntries<DefibEnergyEntry>(bytes);
  swapWord(record + MaxChargeTime);
  swapWord(record + ChargeTimeEnergy);
  swapEntries<CardioversionEntry>(bytes);
  swapEntries<DemandEntry>(bytes);
  swapEntries<RefractoryEntry>(bytes);
}

TAutoSeq autoSeqFromBytes(const char* bytes) {
  TAutoSeq rec;
  memcpy(rec.bytes.data(), bytes, TAutoSeq::Size);
  return rec;
}
