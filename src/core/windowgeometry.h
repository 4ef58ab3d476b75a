#pragma once
#include <QSize>
#include <QString>

class QWidget;
class SettingsFile;

// A window's place, size and state under its section: TOP, LEFT, HEIGHT, WIDTH
// and WINDOWSTATE. Place and size are the window's outer bounds, frame included,
// as the settings file has always held them. TOP or LEFT of -1 centres the
// window on the screen, HEIGHT or WIDTH of -1 gives `defaultSize` (outer), and
// WINDOWSTATE 2 opens it maximised. A stored place that lies off the screen
// (stored at another scaling, or on a larger screen) is moved onto the
// screen's available area, the size kept where it fits there. The window system tells the frame only once
// a window shows; a normal window whose frame has not come `frameWaitMs` after
// that has none (no window manager).
void loadWindowGeometry(QWidget& window, const SettingsFile& settings, const QString& section, QSize defaultSize,
                        int frameWaitMs = 2000);
// Writes WINDOWSTATE (0 normal, 1 minimised, 2 maximised), and the place and size
// only in the normal state, so a maximised window keeps its earlier normal bounds.
void saveWindowGeometry(const QWidget& window, SettingsFile& settings, const QString& section);

// A fixed-size dialog's place alone under its section: TOP and LEFT of its
// frame, -1 for either centring it on the screen.
void loadWindowPlace(QWidget& window, const SettingsFile& settings, const QString& section);
void saveWindowPlace(const QWidget& window, SettingsFile& settings, const QString& section);
