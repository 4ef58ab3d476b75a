#pragma once
#include "device/transferprogress.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class UserMessages;

// The dialog every transfer shows: a line of text, a progress bar, OK and Cancel.
// It has no close button and stays on top, centred over its owner. From the
// moment it shows until it is closed (OK, or the transfer closing it), every other
// window of the program is disabled, minimised or not. Cancel and the time-out
// only set `cancelled`, which the transfer polls.
class TCommProgress : public QDialog, public TransferProgress {
  Q_OBJECT
 public:
  TCommProgress(QWidget* owner, int maximum, quint32 timeoutMs, const QString& lineText, UserMessages& messages);
  ~TCommProgress() override;

  void restartTimeout() override;
  void stopTimeout() override;
  void stepProgress() override;
  void setProgressText(const QString& text) override;
  void finishProgress() override;
  bool cancelled() const override { return clock_.cancelled(); }
  void closeProgress() override;

  bool timerRunning() const { return clock_.isRunning(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void tellText();
  void btnOKClick();
  void btnCancelClick();
  void enableOtherWindows();

  QPointer<QWidget> owner_;
  UserMessages& messages_;
  ProgressClock clock_;
  QLabel* labelProgress_;
  QProgressBar* pbComm_;
  QPushButton* btnOK_;
  QPushButton* btnCancel_;
  QList<QPointer<QWidget>> disabledWindows_;
  bool closingByButton_ = false;
};

// Gives each transfer of a frame a fresh dialog, destroying the one before.
class CommProgressHost : public ProgressHost {
 public:
  CommProgressHost(QWidget* owner, UserMessages& messages) : owner_(owner), messages_(messages) {}
  TransferProgress& beginProgress(const QString& lineText, int maximum, quint32 timeoutMs) override;
  TCommProgress* current() const { return current_.get(); }

 private:
  QWidget* owner_;
  UserMessages& messages_;
  std::unique_ptr<TCommProgress> current_;
};
