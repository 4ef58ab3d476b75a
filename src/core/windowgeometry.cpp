#include "windowgeometry.h"

#include "settingsfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void loadWindowGeometry(QWidget& window, const SettingsFile& settings, const QString& section, QSize defaultSize) {
  const int top = settings.readInteger(section, QStringLiteral("TOP"), -1);
  const int left = settings.readInteger(section, QStringLiteral("LEFT"), -1);
  const int height = settings.readInteger(section, QStringLiteral("HEIGHT"), -1);
  const int width = settings.readInteger(section, QStringLiteral("WIDTH"), -1);
  window.resize(height == -1 || width == -1 ? defaultSize : QSize(width, height));
  if (top == -1 || left == -1) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = window.frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      window.move(frame.topLeft());
    }
  } else {
    window.move(left, top);
  }
  if (settings.readInteger(section, QStringLiteral("WINDOWSTATE"), 0) == 2) window.setWindowState(Qt::WindowMaximized);
}

void saveWindowGeometry(const QWidget& window, SettingsFile& settings, const QString& section) {
  const Qt::WindowStates state = window.windowState();
  const int code = (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0;
  settings.writeInteger(section, QStringLiteral("WINDOWSTATE"), code);
  if (code != 0) return;
  settings.writeInteger(section, QStringLiteral("TOP"), window.pos().y());
  settings.writeInteger(section, QStringLiteral("LEFT"), window.pos().x());
  settings.writeInteger(section, QStringLiteral("HEIGHT"), window.height());
  settings.writeInteger(section, QStringLiteral("WIDTH"), window.width());
}
