#pragma once
#include <QIcon>

// The program's pictures, SVG files in its resources ("icons/NAME.svg").
QIcon resourceIcon(const QString& name);
// A picture rendered at `size` for a screen of the given scale; null if it is missing.
QPixmap resourcePicture(const QString& name, const QSize& size, qreal devicePixelRatio);

// The 24 × 24 pictures of the frames' and viewers' tool bars.
QIcon openIcon();
QIcon downloadIcon();
QIcon selectAllIcon();
QIcon viewIcon();
QIcon saveIcon();
QIcon saveCsvIcon();
QIcon printIcon();
QIcon captureIcon();  // a pulse on a monitor: capture a waveform
QIcon zoomInIcon();
QIcon zoomOutIcon();
QIcon zoomRectIcon();
QIcon undoZoomIcon();
QIcon dataPointsIcon();
QIcon newIcon();
QIcon copyIcon();
QIcon deleteIcon();
QIcon uploadIcon();
QIcon applicationIcon();  // the program's own icon
