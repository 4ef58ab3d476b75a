#pragma once
#include "autoseq/autoseqrecord.h"
#include "simulator/analyzermemory.h"
#include "support/wireorder.h"

#include <QString>

// An autosequence titled and for a device, in host order.
inline TAutoSeq makeAutoSeq(const QString& title, quint8 deviceCode = autoseq::DefibTimer5s) {
  TAutoSeq rec = initAutoSeq();
  setAutoSeqTitle(rec, title);
  rec.setU8(autoseq::Device, deviceCode);
  return rec;
}

// The records as the analyzer holds and sends them: in wire order.
inline QList<QByteArray> autoSeqWireBlocks(const QList<TAutoSeq>& records) {
  QList<QByteArray> blocks;
  for (const TAutoSeq& rec : records)
    blocks.append(wireorder::swapped(QByteArray(rec.data(), TAutoSeq::Size),
                                     wireorder::autoSeqWords(rec.u8(autoseq::Device))));
  return blocks;
}

inline AnalyzerMemory memoryOfAutoSeqs(const QList<TAutoSeq>& records) {
  AnalyzerMemory memory;
  memory.autoSeqs = autoSeqWireBlocks(records);
  memory.setCountsFromLists();
  return memory;
}
