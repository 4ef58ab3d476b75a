#include "archive/archivekeeper.h"

#include "core/settingsfile.h"
#include "core/usermessages.h"

namespace {
const QString kSection = QStringLiteral("Archive");
const QString kAutomatic = QStringLiteral("AUTOMATIC");
}  // namespace

ArchiveKeeper::ArchiveKeeper(QString path, SettingsFile& settings, UserMessages& messages,
                             std::function<QDateTime()> clock)
    : path_(std::move(path)), settings_(settings), messages_(messages), clock_(std::move(clock)) {}

ArchiveKeeper::~ArchiveKeeper() = default;

bool ArchiveKeeper::keeping() const { return settings_.readInteger(kSection, kAutomatic, 1) != 0; }

void ArchiveKeeper::setKeeping(bool on) { settings_.writeInteger(kSection, kAutomatic, on ? 1 : 0); }

Archive* ArchiveKeeper::archive() {
  if (!opened_) {
    opened_ = true;
    archive_ = Archive::open(path_, &openFailure_);
    if (!archive_ || archive_->readOnly()) tell(openFailure_);
  }
  return archive_.get();
}

void ArchiveKeeper::keep(ArchiveKind kind, const QString& analyzerId, const QList<QByteArray>& records) {
  if (!analyzerId.isEmpty()) lastAnalyzer_ = analyzerId;
  lastStored_.reset();
  if (!keeping() || records.isEmpty()) return;
  Archive* kept = archive();
  if (!kept || kept->readOnly()) return;
  ArchiveFailure failure;
  lastStored_ = kept->store(kind, analyzerId.isEmpty() ? lastAnalyzer_ : analyzerId, clock_(), records, &failure);
  if (!lastStored_) return tell(failure);
  if (reported) reported(keptText(kind, int(records.size()), lastStored_->added));
  if (stored) stored();
}

QString keptText(ArchiveKind kind, int kept, int added) {
  const char* const nouns[][2] = {{"test report", "test reports"}, {"wave record", "wave records"}, {"capture", "captures"}};
  const auto& noun = nouns[int(kind) - 1];
  return QStringLiteral("%1 %2 kept in the archive, %3 new").arg(kept).arg(QLatin1String(noun[kept == 1 ? 0 : 1])).arg(added);
}

void ArchiveKeeper::tell(const ArchiveFailure& failure) {
  const QString text = failure.message();
  if (told_.contains(text)) return;
  told_.insert(text);
  messages_.show(text + QStringLiteral("\n\nThe records stay in their list and can be saved as before."),
                 QStringLiteral("Archive"), UserMessages::Icon::Warning);
}
