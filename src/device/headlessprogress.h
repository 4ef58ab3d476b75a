#pragma once
#include "device/transferprogress.h"

#include <memory>

class UserMessages;

// A progress display without a window, for the command-line program and for
// tests: it keeps the state a dialog would show, and reports the time-out
// through the message interface.
class HeadlessProgress : public TransferProgress {
 public:
  HeadlessProgress(UserMessages& messages, const QString& lineText, int maximum, quint32 timeoutMs);

  void restartTimeout() override { clock_.restart(); }
  void stopTimeout() override { clock_.stop(); }
  void stepProgress() override { ++position_; }
  void setProgressText(const QString& text) override { text_ = text; }
  void finishProgress() override;
  bool cancelled() const override { return clock_.cancelled(); }
  void closeProgress() override;

  void cancel() { clock_.cancel(); }
  const QString& text() const { return text_; }
  int position() const { return position_; }
  int maximum() const { return maximum_; }
  bool finished() const { return finished_; }
  bool closed() const { return closed_; }
  bool timerRunning() const { return clock_.isRunning(); }

 private:
  ProgressClock clock_;
  QString text_;
  int maximum_;
  int position_ = 0;
  bool finished_ = false;
  bool closed_ = false;
};

// Hands each transfer a fresh HeadlessProgress, releasing the previous one.
class HeadlessProgressHost : public ProgressHost {
 public:
  explicit HeadlessProgressHost(UserMessages& messages) : messages_(messages) {}
  TransferProgress& beginProgress(const QString& lineText, int maximum, quint32 timeoutMs) override;
  HeadlessProgress* current() const { return current_.get(); }
  int created() const { return created_; }

 private:
  UserMessages& messages_;
  std::unique_ptr<HeadlessProgress> current_;
  int created_ = 0;
};
