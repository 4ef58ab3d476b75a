#include "analyzer/recordkinds.h"

namespace {
QString noun(const RecordKind& kind) { return QString::fromLatin1(kind.noun); }
}  // namespace

QString downloadCaption(const RecordKind& kind) { return QStringLiteral("Downloading %1...").arg(noun(kind)); }
QString tooManyText(const RecordKind& kind) { return QStringLiteral("Unexpected number of %1.").arg(noun(kind)); }
QString tooManyCaption(const RecordKind& kind) { return QStringLiteral("Error downloading %1").arg(noun(kind)); }
QString nothingToDownloadText(const RecordKind& kind) { return QStringLiteral("No %1 to download.").arg(noun(kind)); }
QString nothingToDownloadCaption() { return QStringLiteral("Nothing to download"); }
QString finishedDownloadText(const RecordKind& kind) {
  return QStringLiteral("Finished downloading %1.").arg(noun(kind));
}
