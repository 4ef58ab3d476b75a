#pragma once
#include <QSize>
#include <QString>

class QWidget;
class SettingsFile;

// A window's place, size and state under its section: TOP, LEFT, HEIGHT, WIDTH
// (default −1: centred on the screen, `defaultSize`) and WINDOWSTATE (2 opens it maximised).
void loadWindowGeometry(QWidget& window, const SettingsFile& settings, const QString& section, QSize defaultSize);
// Writes WINDOWSTATE (0 normal, 1 minimised, 2 maximised), and the place and size
// only in the normal state, so a maximised window keeps its earlier normal bounds.
void saveWindowGeometry(const QWidget& window, SettingsFile& settings, const QString& section);
