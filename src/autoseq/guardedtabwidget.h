#pragma once
#include <QTabWidget>
#include <functional>

// A page control whose pages can only be left when a check passes: the check
// shows its own message, and a refused change leaves the old page showing.
class TGuardedTabWidget : public QTabWidget {
 public:
  explicit TGuardedTabWidget(QWidget* parent = nullptr);
  void setLeaveCheck(std::function<bool()> check) { canLeave_ = std::move(check); }

 private:
  void pageChanged(int index);

  std::function<bool()> canLeave_;
  int shown_ = -1;
  bool moving_ = false;
};
