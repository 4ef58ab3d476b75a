#pragma once
#include <QString>

// The lookup tables through which the one-byte codes of test records and
// autosequences are shown. Texts keep their fixed widths and trailing blanks,
// as reports paste them into fixed columns. An index outside a table gives
// question marks of the column's width, so a corrupt code is visible and never
// reads beyond the table.
QString toleranceText(unsigned index);   // 2 characters, percent: "--", " 5", "10", "15", "20"
int tolerancePercent(unsigned index);    // the same as a number: 0 (none, or a code outside the table), 5, 10, 15, 20
QString ecgScaleText(unsigned index);    // 4 characters: "x1  ", "x2  ", "x0.5"
QString pacerMethodText(unsigned index); // 6 characters: " AVG. ", "L.EDGE", "T.EDGE", "PEAK  "
QString ecgWaveCode(unsigned index);     // 7 characters, for example "ECG60  "
QString ecgWaveTitle(unsigned index);    // for example "ECG 60 BPM"
constexpr unsigned kEcgWaveCount = 59;

// The text of a test's result code.
QString resultText(unsigned code);  // "NO DATA", "----", "PASS", "FAIL"
