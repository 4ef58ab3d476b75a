#include "testreport/reportrender.h"

#include "analyzer/codetables.h"
#include "analyzer/numberformat.h"
#include "testreport/testrecord.h"

using namespace testrec;

namespace {

const QString kIndent = QStringLiteral("                          ");
const QString kStars(80, QLatin1Char('*'));

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// F with the placeholder used when the value 0 means "not measured" or "no target".
QString fixedOr(qint64 v, int w, int d, const char* placeholder) {
  return v == 0 ? QString::fromLatin1(placeholder) : fixedPoint(v, w, d);
}

template <class Entry, class Performed>
int countPerformed(const TTestRec& rec, Performed performed) {
  int n = 0;
  for (std::size_t k = 0; k < Entry::Count; ++k)
    if (performed(entryAt<Entry>(rec, k))) ++n;
  return n;
}

bool hasResult(const auto& e) { return e.result != NotPerformed; }

// Builds one report: the groups are numbered N by what is present, and the
// sections inside a group M.
class ReportBuilder {
 public:
  ReportBuilder(const TTestRec& rec, int index, const QString& analyzerId)
      : rec_(rec), index_(index), analyzerId_(analyzerId) {}

  QStringList build() {
    titleBlock();
    defibGroup();
    ecgGroup();
    pacerGroup();
    out_ << QString() << QString()
         << QStringLiteral("Technician: _________________________________________ Date: ____________________")
         << QString() << QString();
    return out_;
  }

 private:
  void titleBlock() {
    const CivilDateTime when = civilDateTime(testDateTime(rec_));
    const bool defib = rec_.u8(testrec::DutTypeByte) == DutDefibrillator;
    out_ << QStringLiteral("                         KALYX 5 DEFIBRILLATOR ANALYZER")
         << QStringLiteral("                              Velmora Systems Inc.") << QString()
         << QStringLiteral("                               TEST REPORT No. ") + plain(index_ + 1) << QString()
         << kIndent + QStringLiteral("DATE OF TEST: ") + dateText(when)
         << kIndent + QStringLiteral("TIME OF TEST: ") + timeText12(when)
         << kIndent + QStringLiteral("KALYX 5 I.D.: ") + analyzerId_
         << kIndent + QStringLiteral("DEVICE I.D.:  ") + rawDeviceIdText(rec_)
         << kIndent + QStringLiteral("DUT TYPE:     ") + waveformKindText(rec_) +
                (defib ? QStringLiteral("Defibrillator") : QStringLiteral("AED"))
         << kIndent + QStringLiteral("TEST TYPE:    ") + testTypeText(rec_) << QString();
  }

  QString sectionTitle(const char* name) const {
    return QStringLiteral("  ") + plain(n_) + QLatin1Char('.') + plain(m_) + QString::fromLatin1(name);
  }
  static QString performedLine(int count, int total) {
    return QStringLiteral("  Tests performed: ") + plain(count) + QLatin1Char('/') + plain(total);
  }
  void nextGroup() {
    ++n_;
    m_ = 1;
  }

  void defibGroup() {
    scratch_.clear();
    const quint8 dut = rec_.u8(testrec::DutTypeByte);
    if (dut == DutDefibrillator) energySection();
    else if (dut == DutAed) aedSection();
    chargeTimeSection();
    cardioversionSection();
    if (scratch_.isEmpty()) return;
    out_ << kStars << QString() << plain(n_) + QStringLiteral(".0 DEFIB TESTS") << scratch_;
    nextGroup();
  }

  void ecgGroup() {
    scratch_.clear();
    const int count = countPerformed<EcgEntry>(rec_, [](const EcgEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << QString() << plain(n_) + QStringLiteral(".0 ECG PERFORMANCE TESTS") << QString()
             << performedLine(count, EcgEntry::Count) << QString()
             << QStringLiteral("  TEST                    WAVEFORM                       SCALE   RESULT")
             << QStringLiteral("  ---------------------------------------------------------------------");
    for (std::size_t k = 0; k < EcgEntry::Count; ++k) {
      const EcgEntry e = entryAt<EcgEntry>(rec_, k);
      if (!hasResult(e)) continue;
      const QString wave = ecgWaveTitle(e.ecgWave).trimmed() + QStringLiteral(" (") + ecgWaveCode(e.ecgWave).trimmed() +
                           QStringLiteral(")  ");
      scratch_ << QStringLiteral("  ") + fixedPoint(k + 1, 2, 0) + blanks(4) + padded(wave, 50) +
                      ecgScaleText(e.ecgScale) + blanks(4) + resultText(e.result);
    }
    out_ << QString() << kStars << scratch_;
    nextGroup();
  }

  void pacerGroup() {
    scratch_.clear();
    pacerPulseSection();
    noiseSection();
    demandSection();
    refractorySection();
    if (scratch_.isEmpty()) return;
    out_ << QString() << kStars << QString() << plain(n_) + QStringLiteral(".0 TRANSCUTANEOUS PACEMAKER TESTS")
         << scratch_;
  }

  void energySection() {
    const int count = countPerformed<EnergyEntry>(rec_, [](const EnergyEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << sectionTitle(" Energy") << QString() << performedLine(count, EnergyEntry::Count)
             << QString() << QStringLiteral("        TOTAL    PHASE 1     PHASE 1    PH.1 WIDTH     ECG")
             << QStringLiteral("  # RNG ENERGY    PEAK       AVERAGE    @10%  @50%  SIMULATOR TARGET TOL RESULT")
             << QStringLiteral(" --------(J)----(V)---(A)---(V)---(A)---(ms)--(ms)--Wave-Scale--(J)--(%)--------");
    for (std::size_t k = 0; k < EnergyEntry::Count; ++k) {
      const EnergyEntry e = entryAt<EnergyEntry>(rec_, k);
      if (!hasResult(e)) continue;
      scratch_ << fixedPoint(k + 1, 3, 0) + blanks(2) + (e.range ? QLatin1Char('H') : QLatin1Char('L')) + blanks(2) +
                      fixedPoint(e.totalEnergy, 4, 1) + blanks(2) + fixedPoint(e.peakVoltage, 4, 0) + blanks(2) +
                      fixedPoint(e.peakCurrent, 4, 2) + blanks(1) + fixedOr(e.avgVoltage1, 4, 0, "----") + blanks(2) +
                      fixedOr(e.avgCurrent1, 4, 2, "--.--") + blanks(1) + fixedPoint(e.width10, 4, 2) + blanks(1) +
                      fixedPoint(e.width50, 4, 2) + blanks(2) + ecgWaveCode(e.ecgWave) + ecgScaleText(e.ecgScale) +
                      fixedOr(e.targetEnergy, 4, 1, "---.-") + blanks(2) + toleranceText(e.tolerance) + blanks(3) +
                      resultText(e.result);
    }
    if (entryAt<EnergyEntry>(rec_, 0).phase2Width != 0) phase2Table();
    ++m_;
  }

  void phase2Table() {
    scratch_ << QString() << QStringLiteral("       ENERGY       PHASE 2      PHASE 2   PH.2  PHASE TOTAL")
             << QStringLiteral("  # PHASE1 PHASE2    PEAK        AVERAGE   WIDTH DELAY WIDTH   TILT  FREQ  DUTY")
             << QStringLiteral(" -----(J)---(J)----(V)---(A)----(V)---(A)---(ms)--(ms)--(ms)---(%)---(Hz)---(%)-");
    for (std::size_t k = 0; k < EnergyEntry::Count; ++k) {
      const EnergyEntry e = entryAt<EnergyEntry>(rec_, k);
      if (!hasResult(e)) continue;
      scratch_ << fixedPoint(k + 1, 3, 0) + blanks(2) + fixedPoint(e.phase1Energy, 4, 1) + blanks(1) +
                      fixedPoint(qint64(e.totalEnergy) - e.phase1Energy, 4, 1) + blanks(1) +
                      signedFixedPoint(-qint64(e.phase2PeakVoltage), 4, 0) + blanks(1) +
                      signedFixedPoint(-qint64(e.phase2PeakCurrent), 4, 2) + blanks(1) +
                      signedFixedPoint(-qint64(e.avgVoltage2), 4, 0) + blanks(1) +
                      signedFixedPoint(-qint64(e.avgCurrent2), 4, 2) + blanks(1) + fixedPoint(e.phase2Width, 4, 2) +
                      blanks(1) + fixedPoint(e.interphaseDelay, 4, 2) + blanks(1) +
                      fixedPoint(qint64(e.width10) + e.phase2Width, 4, 2) + blanks(3) + fixedOr(e.tilt, 3, 1, "--.-") +
                      blanks(2) + fixedOr(e.pulseFrequency, 4, 0, "----") + blanks(2) +
                      fixedOr(e.dutyCycle, 3, 1, "--.-") + blanks(2);
    }
  }

  void aedSection() {
    const int count = countPerformed<AedEntry>(rec_, [](const AedEntry& e) { return e.flags != 0; });
    if (count == 0) return;
    scratch_ << QString() << sectionTitle(" AED Performance") << QString() << performedLine(count, AedEntry::Count)
             << QString() << QStringLiteral("  TEST       ECG")
             << QStringLiteral("          SIMULATOR   SHOCKABLE?   ENERGY   RESULT")
             << QStringLiteral("  -------Wave--Scale-----------------(J)----------");
    for (std::size_t k = 0; k < AedEntry::Count; ++k) {
      const AedEntry e = entryAt<AedEntry>(rec_, k);
      if (e.flags == 0) continue;
      const QString verdict = (e.flags & AedEntry::PassBit)   ? QStringLiteral("PASS")
                              : (e.flags & AedEntry::FailBit) ? QStringLiteral("FAIL")
                                                              : QStringLiteral("REPORT");
      scratch_ << blanks(3) + fixedPoint(k + 1, 2, 0) + blanks(2) + ecgWaveCode(e.ecgWave) + blanks(2) +
                      ecgScaleText(e.ecgScale) + blanks(5) +
                      ((e.flags & AedEntry::ShockableBit) ? QStringLiteral("YES") : QStringLiteral("NO ")) +
                      blanks(7) + fixedPoint(e.energy, 4, 1) + blanks(4) + verdict;
    }
    ++m_;
  }

  void chargeTimeSection() {
    const ChargeTimeTest c = entryAt<ChargeTimeTest>(rec_, 0);
    if (!hasResult(c)) return;
    scratch_ << QString() << QString() << sectionTitle(" Charge Time") << QString()
             << QStringLiteral("  Pre-test Discharges: ") + plain(rec_.u8(testrec::PreTestDischarges)) << QString()
             << QStringLiteral("  RNG    CHARGE    MAXIMUM        ECG")
             << QStringLiteral("          TIME   CHARGE TIME   SIMULATOR   ENERGY  TARGET  TOL    RESULT")
             << QStringLiteral("  -------(sec)------(sec)-----Wave--Scale----(J)-----(J)---(%)----------")
             << QStringLiteral("   H     ") + fixedPoint(c.chargeTime, 4, 2) + blanks(6) +
                    fixedOr(c.maxChargeTime, 3, 1, "99.9") + QLatin1Char('0') + blanks(5) + ecgWaveCode(c.ecgWave) +
                    blanks(1) + ecgScaleText(c.ecgScale) + blanks(2) + fixedPoint(c.energy, 4, 1) + blanks(3) +
                    fixedOr(c.targetEnergy, 4, 1, "---.-") + blanks(3) + toleranceText(c.tolerance) + blanks(5) +
                    resultText(c.result);
    ++m_;
  }

  void cardioversionSection() {
    const int count = countPerformed<CardioversionEntry>(rec_, [](const CardioversionEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << QString() << sectionTitle(" Cardioversion (Sync)") << QString()
             << performedLine(count, CardioversionEntry::Count) << QString()
             << QStringLiteral("  TEST  RNG    SYNC   SYNC     SYNC         ECG")
             << QStringLiteral("                TO:   DELAY   LIMITS     SIMULATOR  ENERGY  TARGET  TOL   RESULT")
             << QStringLiteral("  --------------------(msec)--(msec)---Wave--Scale----(J)-----(J)---(%)---------");
    for (std::size_t k = 0; k < CardioversionEntry::Count; ++k) {
      const CardioversionEntry e = entryAt<CardioversionEntry>(rec_, k);
      if (!hasResult(e)) continue;
      scratch_ << blanks(3) + plain(k + 1) + blanks(5) + (e.range ? QLatin1Char('H') : QLatin1Char('L')) + blanks(4) +
                      (e.syncToRWave ? QStringLiteral("R-Wave") : QStringLiteral("Q-Wave")) + blanks(2) +
                      signedFixedPoint(e.syncDelay, 3, 0) + blanks(3) +
                      (e.syncLimits ? QStringLiteral("+20/+65") : QStringLiteral(" ----- ")) + blanks(2) +
                      ecgWaveCode(e.ecgWave) + blanks(2) + ecgScaleText(e.ecgScale) + blanks(2) +
                      fixedPoint(e.energy, 4, 1) + blanks(3) + fixedOr(e.targetEnergy, 4, 1, "---.-") + blanks(3) +
                      toleranceText(e.tolerance) + blanks(4) + resultText(e.result);
    }
    ++m_;
  }

  void pacerPulseSection() {
    const int count = countPerformed<PacerEntry>(rec_, [](const PacerEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << QStringLiteral("  LOAD RESISTANCE: ") + plain(50 + 50 * rec_.u8(testrec::PacerLoad)) +
                                 QStringLiteral(" ohms")
             << QString() << sectionTitle(" Pacer Pulse Measurements") << QString()
             << performedLine(count, PacerEntry::Count) << QString()
             << QStringLiteral("  TEST TEST  PULSE TARGET AMP PULSE TARGET WIDTH PULSE TARGET RATE ENERGY RESULT")
             << QStringLiteral("      METHOD AMPL.  AMPL. TOL WIDTH WIDTH   TOL  RATE   RATE  TOL")
             << QStringLiteral("  -----------(mA)---(mA)--(%)--(ms)--(ms)---(%)--(PPM)--(PPM)--(%)--(mJ)--------");
    for (std::size_t k = 0; k < PacerEntry::Count; ++k) {
      const PacerEntry e = entryAt<PacerEntry>(rec_, k);
      if (!hasResult(e)) continue;
      const QString energy = e.energy >= 0 ? fixedPoint(e.energy, 5, 1) : fixedPoint(-qint64(e.energy), 5, 3);
      scratch_ << blanks(2) + fixedPoint(k + 1, 2, 0) + blanks(2) + pacerMethodText(e.method) + blanks(1) +
                      fixedPoint(e.amplitude, 4, 1) + blanks(2) + fixedOr(e.targetAmplitude, 3, 0, "---") + blanks(3) +
                      toleranceText(e.amplitudeTolerance) + blanks(2) + fixedPoint(e.width, 4, 2) + blanks(2) +
                      fixedOr(e.targetWidth, 4, 0, "----") + blanks(4) + toleranceText(e.widthTolerance) + blanks(2) +
                      fixedPoint(e.rate, 4, 1) + blanks(3) + fixedOr(e.targetRate, 3, 0, "---") + blanks(3) +
                      toleranceText(e.rateTolerance) + blanks(2) + energy + blanks(2) + resultText(e.result);
    }
    ++m_;
  }

  void noiseSection() {
    const NoiseImmunityTest noise = entryAt<NoiseImmunityTest>(rec_, 0);
    if (noise.frequency == 0) return;
    scratch_ << QString() << QString() << sectionTitle(" Noise Immunity") << QString()
             << QStringLiteral("  FREQUENCY   AMPLITUDE   RESULT") << QStringLiteral("  --(Hz)------(mV p-p)----------")
             << blanks(5) + (noise.frequency == 1 ? QStringLiteral("50") : QStringLiteral("60")) + blanks(9) +
                    fixedPoint(noise.amplitude, 3, 2) + blanks(7) +
                    (noise.amplitude == NoiseImmunityTest::PassingAmplitude ? QStringLiteral("PASS")
                                                                            : QStringLiteral("FAIL"));
    ++m_;
  }

  void demandSection() {
    const int count = countPerformed<DemandEntry>(rec_, [](const DemandEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << sectionTitle(" Demand Sensitivity") << QString() << performedLine(count, DemandEntry::Count)
             << QString() << QStringLiteral("  TEST   TRIGGER    TRIGGER    SENSITIVITY    RESULT")
             << QStringLiteral("         WAVEFORM  AMPLITUDE      LIMIT")
             << QStringLiteral("  --------------------(mV)---------(mV)-------------");
    for (std::size_t k = 0; k < DemandEntry::Count; ++k) {
      const DemandEntry e = entryAt<DemandEntry>(rec_, k);
      if (!hasResult(e)) continue;
      scratch_ << blanks(3) + plain(k + 1) + blanks(5) + ecgWaveCode(e.triggerWave) + blanks(7) +
                      fixedPoint(e.triggerAmplitude, 3, 2) + blanks(8) + fixedOr(e.sensitivityLimit, 3, 2, "-.--") +
                      blanks(8) + resultText(e.result);
    }
    ++m_;
  }

  void refractorySection() {
    const int count = countPerformed<RefractoryEntry>(rec_, [](const RefractoryEntry& e) { return hasResult(e); });
    if (count == 0) return;
    scratch_ << QString() << sectionTitle(" Paced/Sensed Refractory Period") << QString()
             << performedLine(count, RefractoryEntry::Count) << QString()
             << QStringLiteral("  TEST  TRIGGER     PACED REFR  SENSED REFR    MINIMUM      MAXIMUM")
             << QStringLiteral("        WAVEFORM      PERIOD      PERIOD     REFR PERIOD  REFR PERIOD  RESULT")
             << QStringLiteral("  --------------------(msec)------(msec)--------(msec)-------(msec)----------");
    const auto rightOr = [](quint16 v) { return v == 0 ? QStringLiteral(" ---") : rightAligned(v); };
    for (std::size_t k = 0; k < RefractoryEntry::Count; ++k) {
      const RefractoryEntry e = entryAt<RefractoryEntry>(rec_, k);
      if (!hasResult(e)) continue;
      scratch_ << blanks(3) + plain(k + 1) + blanks(5) + ecgWaveCode(e.triggerWave) + blanks(6) +
                      rightAligned(e.pacedPeriod) + blanks(8) + rightAligned(e.sensedPeriod) + blanks(10) +
                      rightOr(e.minimum) + blanks(9) + rightOr(e.maximum) + blanks(7) + resultText(e.result);
    }
    ++m_;
  }

  const TTestRec& rec_;
  int index_;
  const QString& analyzerId_;
  QStringList out_;
  QStringList scratch_;
  int n_ = 1;
  int m_ = 1;
};

}  // namespace

QStringList renderTestReport(const TTestRec& rec, int index, const QString& analyzerId) {
  return ReportBuilder(rec, index, analyzerId).build();
}
