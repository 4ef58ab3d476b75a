#pragma once
#include <QIcon>

// The 24 × 24 pictures of the frames' and viewers' tool bars, drawn rather than loaded.
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
