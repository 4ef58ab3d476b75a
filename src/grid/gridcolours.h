#pragma once
#include <QColor>

// Colours the grid draws its rows in, kept readable whatever the desktop's
// palette: text needs a contrast of at least 4.5:1 against its fill.
constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours as the accessibility guidelines define it,
// from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The colour text is drawn in on `fill`: `preferred` where it reads, else black
// or white, whichever reads better.
QColor readableText(const QColor& fill, const QColor& preferred);

// The fill of a selected row: the desktop's highlight, made darker (or lighter)
// just enough for `text` to read on it; unchanged where it reads already.
QColor readableHighlight(const QColor& highlight, const QColor& text);
