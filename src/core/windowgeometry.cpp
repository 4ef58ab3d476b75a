#include "core/windowgeometry.h"

#include "core/settingsfile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {
constexpr int kRestoredFrameWaitMs = 4000;

QSize frameExtra(const QWidget& window) { return window.frameGeometry().size() - window.geometry().size(); }

// The window system tells a window's frame only once the window is shown. Until
// then the window is sized as if it had none; this helper then takes the frame
// off the inner size, so the outer size is the one stored. A window that starts
// maximised keeps the helper until it is first restored, whenever that is, so
// its normal size is the stored one too. Just restored, the window still tells
// the maximised window's frame (a window manager draws no borders round a
// maximised window) and its place: the helper waits for the window to leave
// that place, sizes it, and sizes it again should its normal frame come later
// (a busy window manager), for kRestoredFrameWaitMs after the restore.
class OuterSizeKeeper : public QObject {
 public:
  OuterSizeKeeper(QWidget& window, QSize outer, int frameWaitMs)
      : QObject(&window), window_(window), outer_(outer), frameWaitMs_(frameWaitMs) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && type != QEvent::WindowStateChange)
      return false;
    if (!window_.isVisible()) return false;
    if (window_.windowState() != Qt::WindowNoState) {
      maximisedFrame_ = window_.frameGeometry();
      return false;
    }
    if (maximisedFrame_.isValid() && !finishing_) {  // restored: sized now and as its frame settles
      finishing_ = true;
      // A busy window manager (or a slow machine) may tell the normal frame,
      // or put back the size it kept, seconds after the restore.
      QTimer::singleShot(std::max(frameWaitMs_, kRestoredFrameWaitMs), this, [this] { finish(); });
    }
    if (maximisedFrame_.isValid() && window_.frameGeometry() == maximisedFrame_) return false;  // still there
    const QSize extra = frameExtra(window_);
    if (extra.isNull()) {
      if (!finishing_) QTimer::singleShot(frameWaitMs_, this, [this] { finish(); });  // no frame comes
      finishing_ = true;
      return false;
    }
    // Sized for this frame already, and still the size stored: nothing to do. A
    // window manager that puts back the size it kept from the maximised start
    // is answered again while the helper waits.
    if (sized_ && extra == sizedFor_ && window_.frameGeometry().size() == outer_) return false;
    sized_ = true;
    sizedFor_ = extra;
    window_.resize(outer_ - extra);
    if (!maximisedFrame_.isValid()) finish();  // a normal start is sized once
    return false;
  }

 private:
  void finish() {
    window_.removeEventFilter(this);
    deleteLater();
  }

  QWidget& window_;
  QSize outer_;
  int frameWaitMs_;
  QRect maximisedFrame_;  // the frame while maximised: its place and frame are not the normal ones
  bool finishing_ = false;
  bool sized_ = false;
  QSize sizedFor_;  // the frame the size was taken for
};

// A stored place on the screen it falls on (a place stored at another scaling,
// or on a larger screen, may lie partly or wholly off every screen now): moved
// just far enough to lie on the screen's available area, and made smaller only
// where it does not fit there.
QRect onScreen(QRect frame) {
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return frame;
  const QRect available = screen->availableGeometry();
  frame.setSize(frame.size().boundedTo(available.size()));
  frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() + 1 - frame.width()));
  frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() + 1 - frame.height()));
  return frame;
}

// The window's place for its stored TOP and LEFT and its outer size: centred on
// the screen for -1, else the stored place brought onto the screen. The outer
// size may shrink to fit.
QRect placed(int top, int left, QSize outer) {
  if (top != -1 && left != -1) return onScreen(QRect(QPoint(left, top), outer));
  QRect frame(QPoint(), outer);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    frame.setSize(outer.boundedTo(screen->availableGeometry().size()));
    frame.moveCenter(screen->availableGeometry().center());
  }
  return frame;
}

void resizeOuter(QWidget& window, QSize outer, int frameWaitMs) {
  const QSize extra = frameExtra(window);
  window.resize(outer - extra);
  if (extra.isNull()) new OuterSizeKeeper(window, outer, frameWaitMs);
}
}  // namespace

void loadWindowGeometry(QWidget& window, const SettingsFile& settings, const QString& section, QSize defaultSize,
                        int frameWaitMs) {
  const int top = settings.readInteger(section, QStringLiteral("TOP"), -1);
  const int left = settings.readInteger(section, QStringLiteral("LEFT"), -1);
  const int height = settings.readInteger(section, QStringLiteral("HEIGHT"), -1);
  const int width = settings.readInteger(section, QStringLiteral("WIDTH"), -1);
  const QRect frame = placed(top, left, height == -1 || width == -1 ? defaultSize : QSize(width, height));
  resizeOuter(window, frame.size(), frameWaitMs);
  window.move(frame.topLeft());  // a window's position is that of its frame
  if (settings.readInteger(section, QStringLiteral("WINDOWSTATE"), 0) == 2) window.setWindowState(Qt::WindowMaximized);
}

void saveWindowGeometry(const QWidget& window, SettingsFile& settings, const QString& section) {
  const Qt::WindowStates state = window.windowState();
  const int code = (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0;
  settings.writeInteger(section, QStringLiteral("WINDOWSTATE"), code);
  if (code != 0) return;
  const QRect outer = window.frameGeometry();
  settings.writeInteger(section, QStringLiteral("TOP"), outer.top());
  settings.writeInteger(section, QStringLiteral("LEFT"), outer.left());
  settings.writeInteger(section, QStringLiteral("HEIGHT"), outer.height());
  settings.writeInteger(section, QStringLiteral("WIDTH"), outer.width());
}

void loadWindowPlace(QWidget& window, const SettingsFile& settings, const QString& section) {
  const int top = settings.readInteger(section, QStringLiteral("TOP"), -1);
  const int left = settings.readInteger(section, QStringLiteral("LEFT"), -1);
  window.move(placed(top, left, window.frameGeometry().size()).topLeft());
}

void saveWindowPlace(const QWidget& window, SettingsFile& settings, const QString& section) {
  const QRect outer = window.frameGeometry();
  settings.writeInteger(section, QStringLiteral("TOP"), outer.top());
  settings.writeInteger(section, QStringLiteral("LEFT"), outer.left());
}
