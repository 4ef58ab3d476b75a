#include "support/testreportbuilders.h"
#include "testreport/reportrender.h"

#include <gtest/gtest.h>

using namespace testrec;

namespace {
// Compares a report with its golden file. KALYX_UPDATE_GOLDEN=1 rewrites the
// file instead, for a reviewed change of the report layout.
void expectGolden(const QStringList& lines, const QString& name) {
  const QString text = joinedLines(lines);
  if (qEnvironmentVariableIsSet("KALYX_UPDATE_GOLDEN")) {
    QFile file(QStringLiteral(KALYX_TEST_DATA "/") + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    return;
  }
  EXPECT_EQ(text.toStdString(), goldenFile(name).toStdString());
}

QStringList render(const TTestRec& rec, int index = 0) { return renderTestReport(rec, index, "K5-0042"); }

// The lines of the report from the first line that starts with `first`, `count` of them.
QStringList linesFrom(const QStringList& lines, const QString& first, int count) {
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (lines[i].startsWith(first)) return lines.mid(i, count);
  return {};
}
}  // namespace

TEST(ReportRender, CompleteDefibrillatorReportMatchesByteForByte) {
  expectGolden(renderTestReport(completeDefibRecord(), 2, "A1234567"), "report_defib_complete.txt");
}

TEST(ReportRender, AedReportWithEveryVerdict) {
  TTestRec r = makeTestRec("LOBBY AED", {10, 2, 25, 8, 45, 12}, 0, DutAed);
  setEntryAt(r, 0, AedEntry{1502, 40, 0, AedEntry::PassBit | AedEntry::ShockableBit});
  setEntryAt(r, 2, AedEntry{0, 34, 2, AedEntry::FailBit});
  setEntryAt(r, 31, AedEntry{25, 41, 1, 0x04});
  setEntryAt(r, 0, EcgEntry{58, 0, Pass});  // the blank waveform entry
  expectGolden(render(r, 49), "report_aed.txt");
}

TEST(ReportRender, DutTypeZeroStartsWithChargeTimeAndEveryPlaceholder) {
  TTestRec r = makeTestRec("", {30, 2, 13, 24, 0, 0}, 0, 0);  // an invalid date and time
  r.setU8(30, 0xAA);  // bytes of the energy block are not read for this type
  setEntryAt(r, 0, ChargeTimeTest{.chargeTime = 1720, .energy = 1995, .ecgWave = 3, .ecgScale = 1, .result = Fail});
  CardioversionEntry q;
  q.energy = 7, q.range = 1, q.syncDelay = -12, q.ecgWave = 31, q.result = 9;
  setEntryAt(r, 3, q);
  PacerEntry p;
  p.amplitude = 5, p.width = 3, p.rate = 9, p.energy = 1234, p.method = 3, p.result = Fail;
  setEntryAt(r, 4, p);
  setEntryAt(r, 1, DemandEntry{.triggerAmplitude = 5, .triggerWave = 47, .result = NoVerdict});
  setEntryAt(r, 1, RefractoryEntry{.pacedPeriod = 12345, .sensedPeriod = 0, .triggerWave = 55, .result = Pass});
  expectGolden(render(r), "report_dut0_placeholders.txt");
}

TEST(ReportRender, OnlyPacerTestsMakeGroupOneAndGapsInNumbering) {
  TTestRec r = makeTestRec("TCP-PACER-03", {21, 2, 25, 13, 0, 0}, 7, DutDefibrillator);
  r.setU8(testrec::PacerLoad, 31);
  PacerEntry p;
  p.amplitude = 1498, p.width = 4000, p.rate = 1200, p.energy = -1234, p.method = 1, p.targetAmplitude = 150;
  p.targetWidth = 40, p.targetRate = 120, p.amplitudeTolerance = 1, p.widthTolerance = 4, p.rateTolerance = 3;
  p.result = Pass;
  setEntryAt(r, 1, p);
  p.method = 2, p.result = NoVerdict;
  setEntryAt(r, 9, p);
  setEntryAt(r, 0, NoiseImmunityTest{2, 995});
  expectGolden(render(r), "report_pacer_only.txt");
}

TEST(ReportRender, NothingPerformedGivesTheTitleBlockAndTheFooter) {
  const QStringList lines = render(makeTestRec("EMPTY", {1, 1, 20, 0, 0, 0}, 0, DutDefibrillator));
  ASSERT_EQ(lines.size(), 17);
  EXPECT_EQ(lines[9], "                          DUT TYPE:     Defibrillator");
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[14], "Technician: _________________________________________ Date: ____________________");
}

TEST(ReportRender, TwoReportsFollowEachOtherDirectly) {
  const QStringList first = render(completeDefibRecord(), 0);
  const QStringList second = render(completeDefibRecord(), 1);
  EXPECT_EQ(first.mid(first.size() - 2), (QStringList{"", ""}));
  EXPECT_EQ(second[3], "                               TEST REPORT No. 2");
  EXPECT_EQ(second[0], "                         KALYX 5 DEFIBRILLATOR ANALYZER");
}

TEST(ReportRender, EnergyRowsKeepTheirEntryNumbers) {
  TTestRec r = makeTestRec("X", {1, 1, 20, 0, 0, 0}, 0, DutDefibrillator);
  setEntryAt(r, 1, EnergyEntry{.totalEnergy = 100, .result = Pass});
  setEntryAt(r, 3, EnergyEntry{.totalEnergy = 200, .result = Fail});
  const QStringList lines = render(r);
  EXPECT_TRUE(lines.contains("  Tests performed: 2/10"));
  const QStringList rows = linesFrom(lines, "  2  L", 2);
  ASSERT_EQ(rows.size(), 2);
  EXPECT_TRUE(rows[1].startsWith("  4  L   20.0"));
  EXPECT_FALSE(lines.contains("       ENERGY       PHASE 2      PHASE 2   PH.2  PHASE TOTAL"));  // monophasic
}

TEST(ReportRender, ChargeTimeMaximumAndPacerEnergyPlaceholders) {
  TTestRec r = makeTestRec("X", {1, 1, 20, 0, 0, 0}, 0, DutDefibrillator);
  setEntryAt(r, 0, ChargeTimeTest{.chargeTime = 500, .maxChargeTime = 0, .result = Pass});
  EXPECT_EQ(linesFrom(render(r), "   H ", 1).value(0).mid(20, 5), "99.90");
  setEntryAt(r, 0, ChargeTimeTest{.chargeTime = 500, .maxChargeTime = 150, .result = Pass});
  EXPECT_EQ(linesFrom(render(r), "   H ", 1).value(0).mid(20, 5), "15.00");
}

TEST(ReportRender, NoLoadResistanceLineWithoutPacerPulses) {
  TTestRec r = makeTestRec("X", {1, 1, 20, 0, 0, 0}, 0, DutDefibrillator);
  setEntryAt(r, 0, DemandEntry{.triggerAmplitude = 100, .result = Pass});
  const QStringList lines = render(r);
  EXPECT_TRUE(lines.contains("1.0 TRANSCUTANEOUS PACEMAKER TESTS"));
  EXPECT_TRUE(lines.contains("  1.1 Demand Sensitivity"));
  for (const QString& line : lines) EXPECT_FALSE(line.startsWith("  LOAD RESISTANCE: "));
}

TEST(ReportRender, PhaseOneEnergyAboveTheTotalPrintsANegativePhaseTwoEnergy) {
  TTestRec r = makeTestRec("X", {1, 1, 20, 0, 0, 0}, 0, DutDefibrillator);
  setEntryAt(r, 0, EnergyEntry{.totalEnergy = 100, .phase1Energy = 120, .phase2Width = 300, .result = Pass});
  EXPECT_TRUE(linesFrom(render(r), "  1   12.0", 1).value(0).startsWith("  1   12.0  -2.0"));
}

TEST(ReportRender, WithoutAnAnalyzerIdTheLineEndsAfterItsLabel) {
  const QStringList lines = renderTestReport(completeDefibRecord(), 0, QString());
  EXPECT_EQ(lines[7], "                          KALYX 5 I.D.: ");
}
