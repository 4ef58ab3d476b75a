#pragma once
#include <QString>

// The number formats of the text reports: integers in fixed units shown with
// an inserted decimal point, padded to fixed widths.

// Fixed-point: v padded to w characters (zeros up to the decimals, blanks before),
// then a point before the last d characters. Wider values are written in full.
// A negative value (a difference that came out below zero) keeps its minus sign
// in front of the digits.
QString fixedPoint(qint64 v, int w, int d);
// Signed fixed-point: like fixedPoint with a "+" or "-" sign counted in the width.
QString signedFixedPoint(qint64 v, int w, int d);
// v right-aligned in 4 characters.
QString rightAligned(qint64 v);
// v in decimal, no padding.
QString plain(qint64 v);
// t with blanks appended up to `width` characters; a longer text stays whole.
QString padded(const QString& t, int width);
