#include "autoseq/guardedtabwidget.h"

#include <QTabBar>

TGuardedTabWidget::TGuardedTabWidget(QWidget* parent) : QTabWidget(parent) {
  // The tab strip takes the focus; the frame around the pages is no stop of its
  // own for Tab or a screen reader. (The policy passes on to the strip, which
  // gets its own back.)
  setFocusPolicy(Qt::NoFocus);
  tabBar()->setFocusPolicy(Qt::TabFocus);
  connect(this, &QTabWidget::currentChanged, this, &TGuardedTabWidget::pageChanged);
}

void TGuardedTabWidget::pageChanged(int index) {
  if (moving_) return;
  if (shown_ < 0 || !canLeave_ || index == shown_) {
    shown_ = index;
    return;
  }
  // Back to the old page while the check runs, so its message is shown over the
  // page that holds the value to correct; on to the new page only when it passes.
  moving_ = true;
  setCurrentIndex(shown_);
  const bool leave = canLeave_();
  if (leave) setCurrentIndex(index);
  moving_ = false;
  if (leave) shown_ = index;
}
