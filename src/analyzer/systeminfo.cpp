#include "analyzer/systeminfo.h"

#include "core/text8bit.h"

#include <algorithm>

SystemInfo::SystemInfo(const QByteArray& block) : bytes_(block.left(kSystemInfoSize)) {
  bytes_.append(QByteArray(kSystemInfoSize - bytes_.size(), '\0'));
}

QString SystemInfo::analyzerId() const { return fieldText(QByteArrayView(bytes_).sliced(kIdOffset, kIdSize)); }

void SystemInfo::setAnalyzerId(const QByteArray& id) {
  for (int i = 0; i < kIdSize; ++i) bytes_[kIdOffset + i] = i < id.size() ? id[i] : '\0';
}

int SystemInfo::count(const RecordKind& kind) const { return quint8(bytes_[kind.countByte]); }

void SystemInfo::setCount(const RecordKind& kind, int n) { bytes_[kind.countByte] = char(quint8(std::clamp(n, 0, 255))); }
