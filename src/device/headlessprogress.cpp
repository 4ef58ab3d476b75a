#include "device/headlessprogress.h"

#include "core/usermessages.h"

HeadlessProgress::HeadlessProgress(UserMessages& messages, const QString& lineText, int maximum, quint32 timeoutMs)
    : clock_(timeoutMs), text_(lineText), maximum_(maximum) {
  QObject::connect(&clock_, &ProgressClock::timedOut, [&messages] {
    messages.show(timeoutMessageText(), timeoutMessageCaption(), UserMessages::Icon::Warning);
  });
}

void HeadlessProgress::finishProgress() {
  clock_.stop();
  position_ = maximum_;
  finished_ = true;
}

void HeadlessProgress::closeProgress() {
  clock_.stop();
  closed_ = true;
}

TransferProgress& HeadlessProgressHost::beginProgress(const QString& lineText, int maximum, quint32 timeoutMs) {
  current_.reset();
  current_ = std::make_unique<HeadlessProgress>(messages_, lineText, maximum, timeoutMs);
  ++created_;
  return *current_;
}
