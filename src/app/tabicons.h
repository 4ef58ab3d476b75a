#pragma once
#include <QIcon>

// The 32 × 32 pictures of the main window's three tabs, drawn rather than loaded.
QIcon autoSeqTabIcon();
QIcon testReportTabIcon();
QIcon waveformTabIcon();
