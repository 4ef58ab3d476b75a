#pragma once
#include <QByteArray>
#include <QStringList>

struct TTestRec;

// Renders one test report as the fixed-width lines that the viewer shows and that
// are printed and exported. `index` is the record's position in the list (the
// report number is index + 1); `systemInfo` is the analyzer's 37-byte block, or
// null when there is none.
QStringList renderTestReport(const TTestRec& rec, int index, const QByteArray* systemInfo);

// The analyzer's I.D. from bytes 12 to 27 of the system-information block, untrimmed.
QString analyzerIdText(const QByteArray& systemInfo);
