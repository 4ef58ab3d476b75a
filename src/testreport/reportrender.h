#pragma once
#include <QStringList>

struct TTestRec;

// Renders one test report as the fixed-width lines that the viewer shows and that
// are printed and exported. `index` is the record's position in the list (the
// report number is index + 1); `analyzerId` is the I.D. of the analyzer the
// record came from, as its system-information block gives it (empty when unknown).
QStringList renderTestReport(const TTestRec& rec, int index, const QString& analyzerId);
