#pragma once
#include "core/recordkeeper.h"

// A keeper that records what the program hands it.
class RecordingKeeper : public RecordKeeper {
 public:
  struct Kept {
    ArchiveKind kind;
    QString analyzerId;
    QList<QByteArray> records;
  };
  void keep(ArchiveKind kind, const QString& analyzerId, const QList<QByteArray>& records) override {
    if (!on) return;
    kept.append({kind, analyzerId, records});
    if (reported) reported(QStringLiteral("%1 records kept").arg(records.size()));
  }
  bool keeping() const override { return on; }
  void setKeeping(bool keep) override { on = keep; }
  bool on = true;
  QList<Kept> kept;
};
