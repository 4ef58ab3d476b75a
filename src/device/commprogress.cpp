#include "device/commprogress.h"

#include "core/names.h"
#include "core/usermessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TCommProgress::TCommProgress(QWidget* owner, int maximum, quint32 timeoutMs, const QString& lineText,
                             UserMessages& messages)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      owner_(owner),
      messages_(messages),
      clock_(timeoutMs) {
  // A top-level window of its own, so that disabling the other windows never disables it.
  setObjectName(QStringLiteral("CommProgress"));
  setWindowTitle(productName() + QStringLiteral(" Communications"));
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(303, 119);

  labelProgress_ = new QLabel(lineText, this);
  labelProgress_->setObjectName(QStringLiteral("labelProgress"));
  labelProgress_->move(16, 16);
  labelProgress_->adjustSize();
  pbComm_ = new QProgressBar(this);
  pbComm_->setObjectName(QStringLiteral("pbComm"));
  pbComm_->setGeometry(16, 40, 273, 25);
  pbComm_->setRange(0, maximum);
  pbComm_->setValue(0);
  labelProgress_->setBuddy(pbComm_);  // a screen reader names the bar by the text above it
  btnOK_ = new QPushButton(QStringLiteral("OK"), this);
  btnOK_->setObjectName(QStringLiteral("btnOK"));
  btnOK_->setGeometry(69, 87, 78, 25);
  btnOK_->setEnabled(false);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName(QStringLiteral("btnCancel"));
  btnCancel_->setGeometry(157, 87, 78, 25);

  tellText();
  connect(btnOK_, &QPushButton::clicked, this, &TCommProgress::btnOKClick);
  connect(btnCancel_, &QPushButton::clicked, this, &TCommProgress::btnCancelClick);
  connect(&clock_, &ProgressClock::timedOut, this, [this] {
    messages_.show(timeoutMessageText(), timeoutMessageCaption(), UserMessages::Icon::Warning);
  });

  if (owner_) {
    const QRect over = owner_->window()->frameGeometry();
    move(over.center() - QPoint(width() / 2, height() / 2));
  }
  QCoreApplication::processEvents();
}

TCommProgress::~TCommProgress() {
  clock_.stop();
  enableOtherWindows();
}

void TCommProgress::restartTimeout() { clock_.restart(); }

void TCommProgress::stopTimeout() { clock_.stop(); }

void TCommProgress::stepProgress() { pbComm_->setValue(qMin(pbComm_->value() + 1, pbComm_->maximum())); }

void TCommProgress::setProgressText(const QString& text) {
  labelProgress_->setText(text);
  labelProgress_->adjustSize();
  tellText();
}

// A screen reader hears the dialog's text with the dialog when it takes the
// focus, and with the button the focus is on ("OK push button. Finished
// downloading autosequences."): each carries it as its description, which it
// announces again whenever the text changes.
void TCommProgress::tellText() {
  const QString text = labelProgress_->text();
  for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(btnOK_), static_cast<QWidget*>(btnCancel_)})
    w->setAccessibleDescription(text);
}

void TCommProgress::finishProgress() {
  clock_.stop();
  pbComm_->setValue(pbComm_->maximum());
  btnCancel_->setEnabled(false);
  btnOK_->setEnabled(true);
  btnOK_->setDefault(true);
  btnOK_->setFocus();
}

void TCommProgress::closeProgress() {
  clock_.stop();
  closingByButton_ = true;
  hide();
  closingByButton_ = false;
  enableOtherWindows();
}

void TCommProgress::btnOKClick() { closeProgress(); }

void TCommProgress::btnCancelClick() {
  clock_.stop();
  clock_.cancel();
}

void TCommProgress::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!disabledWindows_.isEmpty()) return;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == this || !w->isVisible() || !w->isEnabled()) continue;
    w->setEnabled(false);
    disabledWindows_.append(w);
  }
}

// Only closing the dialog gives the other windows back: a minimised dialog is
// hidden too, but its transfer still runs.
void TCommProgress::enableOtherWindows() {
  for (const QPointer<QWidget>& w : std::as_const(disabledWindows_))
    if (w) w->setEnabled(true);
  disabledWindows_.clear();
}

// The dialog is left only through its own buttons: the window manager's close
// is refused, and Escape presses Cancel while Cancel can be pressed.
void TCommProgress::closeEvent(QCloseEvent* event) {
  if (closingByButton_) event->accept();
  else event->ignore();
}

void TCommProgress::reject() {
  if (btnCancel_->isEnabled()) btnCancel_->click();
}

TransferProgress& CommProgressHost::beginProgress(const QString& lineText, int maximum, quint32 timeoutMs) {
  current_.reset();
  current_ = std::make_unique<TCommProgress>(owner_, maximum, timeoutMs, lineText, messages_);
  current_->show();
  return *current_;
}
