#include "autoseq/autoseqprintout.h"

#include "analyzer/codetables.h"
#include "analyzer/shockable.h"
#include "autoseq/autoseqtables.h"

using namespace autoseq;

namespace {
QString n(qint64 value) { return QString::number(value); }

QString codeWithoutBlanks(unsigned wave) {
  QString code = ecgWaveCode(wave);
  code.remove(QLatin1Char(' '));
  return code;
}

// Appends the lines of each entry of a kind while its test says the entry is
// there, after a blank line when the first one is.
template <class Entry, class Present, class Lines>
void entryBlock(const TAutoSeq& rec, QStringList& out, Present present, Lines lines) {
  if (!present(entryAt<Entry>(rec, 0))) return;
  out << QString();
  for (std::size_t k = 0; k < Entry::Count; ++k) {
    const Entry e = entryAt<Entry>(rec, k);
    if (!present(e)) break;
    lines(e, int(k) + 1);
  }
}

const auto kFlagged = [](const auto& e) { return e.present != 0; };

void aedBlock(const TAutoSeq& rec, QStringList& out) {
  entryBlock<AedEnergyEntry>(rec, out, kFlagged, [&out](const AedEnergyEntry& e, int k) {
    out << "AED Energy Test " + n(k) << "  Waveform:     " + printedWaveText(e.ecgWave, e.ecgScale)
        << "  Shockable:    " + shockableText(e.ecgWave);
  });
}

void defibBlocks(const TAutoSeq& rec, QStringList& out) {
  out << QString() << "ECG Trigger Mode:   " + triggerModeText(rec.u8(TriggerMode))
      << "Auto-Test Timer:    " + autoTestTimerText(rec.u8(Device));
  entryBlock<DefibEnergyEntry>(rec, out, kFlagged, [&out](const DefibEnergyEntry& e, int k) {
    out << "Defib Energy Test " + n(k) << "  Target Energy: " + n(e.targetEnergy / 10) + " J"
        << "  Tolerance:     " + autoSeqToleranceText(e.tolerance)
        << "  Waveform:      " + printedWaveText(e.ecgWave, e.ecgScale);
  });
}

void chargeTimeBlock(const TAutoSeq& rec, QStringList& out) {
  if (rec.u8(ChargeTimeEnabled) == 0) return;
  out << QString() << QStringLiteral("Charge Time Test")
      << "  Target Energy: " + n(rec.u16(ChargeTimeEnergy) / 10) + " J"
      << "  Tolerance:     " + autoSeqToleranceText(rec.u8(ChargeTimeTolerance))
      << "  Max Charge:    " + n(rec.u16(MaxChargeTime) / 10) + " sec"
      << "  Waveform:      " + printedWaveText(rec.u8(ChargeTimeWave), rec.u8(ChargeTimeScale));
}

void cardioversionBlock(const TAutoSeq& rec, QStringList& out) {
  entryBlock<CardioversionEntry>(rec, out, kFlagged, [&out](const CardioversionEntry& e, int k) {
    out << "Cardioversion Test " + n(k) << "  Target Energy: " + n(e.targetEnergy / 10) + " J"
        << "  Tolerance:     " + autoSeqToleranceText(e.tolerance)
        << "  Waveform:      " + printedWaveText(e.ecgWave, e.ecgScale)
        << "  Sync Method:   " + syncMethodText(e.syncMethod);
  });
}

void ecgBlock(const TAutoSeq& rec, QStringList& out) {
  if (rec.u8(EcgWaves) == 0) return;
  out << QString() << QStringLiteral("ECG Test");
  for (std::size_t k = 0; k < EcgWaveCount && rec.u8(EcgWaves + k) != 0; ++k)
    out << "  " + n(qint64(k) + 1) + ". " + printedWaveText(rec.u8(EcgWaves + k), rec.u8(EcgScale));
}

// The four pacemaker blocks; true when any of them was written.
bool pacerBlocks(const TAutoSeq& rec, QStringList& out) {
  const qsizetype before = out.size();
  entryBlock<PacerPulseEntry>(rec, out, kFlagged, [&out](const PacerPulseEntry& e, int k) {
    out << "Pacer Pulse Test " + n(k) << "  Target Current:       " + n(e.current) + " mA"
        << "  Tolerance On Current: " + autoSeqToleranceText(e.currentTolerance)
        << "  Target Pulse Rate:    " + n(e.rate) + " PPM"
        << "  Tolerance On Rate:    " + autoSeqToleranceText(e.rateTolerance);
    if (e.width != 0)
      out << "  Target Pulse Width:   " + n(e.width) + " msec"
          << "  Tolerance On Width:   " + autoSeqToleranceText(e.widthTolerance);
    out << "  Measuring Method:     " + measuringMethodText(e.method);
  });
  if (rec.u8(NoiseEnabled) != 0)
    out << QString()
        << "Noise Immunity: " + (rec.u8(NoiseFrequency) == 1 ? QStringLiteral("50 Hz") : QStringLiteral("60 Hz"));
  entryBlock<DemandEntry>(rec, out, kFlagged, [&out](const DemandEntry& e, int k) {
    out << "Pacer Sensitivity Test " + n(k) << "  Sensitivity Limit: " + sensitivityText(e.sensitivityLimit) + " mV"
        << "  Trigger Waveform:  " + printedTriggerWaveText(e.triggerWave);
  });
  entryBlock<RefractoryEntry>(rec, out, [](const RefractoryEntry& e) { return e.minimum != 0; },
                              [&out](const RefractoryEntry& e, int k) {
                                out << "Pacer Refractory Test " + n(k)
                                    << "  Minimum Refractory: " + n(e.minimum) + " msec"
                                    << "  Maximum Refractory: " + n(e.maximum) + " msec"
                                    << "  Trigger Waveform:   " + printedTriggerWaveText(e.triggerWave);
                              });
  return out.size() > before;
}
}  // namespace

QString printedWaveText(unsigned wave, unsigned scale) {
  return ecgWaveTitle(wave) + " (" + codeWithoutBlanks(wave) + ") - " + ecgScaleText(scale);
}

QString printedTriggerWaveText(unsigned wave) { return ecgWaveTitle(wave) + " (" + codeWithoutBlanks(wave) + ")"; }

QString sensitivityText(quint16 hundredths) {
  const int whole = hundredths / 100, fraction = hundredths % 100;
  if (fraction == 0) return n(whole);
  if (fraction % 10 == 0) return n(whole) + QLatin1Char('.') + n(fraction / 10);
  return n(whole) + QLatin1Char('.') + QString::number(fraction).rightJustified(2, QLatin1Char('0'));
}

QStringList autoSeqPrintLines(const TAutoSeq& rec) {
  QStringList out = {"Autosequence Title: " + autoSeqTitleText(rec), "Device Under Test:  " + autoSeqDutName(rec)};
  if (isAedAutoSeq(rec)) aedBlock(rec, out);
  else defibBlocks(rec, out);
  chargeTimeBlock(rec, out);
  cardioversionBlock(rec, out);
  ecgBlock(rec, out);
  if (pacerBlocks(rec, out)) out << QString() << "Pacer Load: " + n(50 + 50 * rec.u8(PacerLoad)) + " ohms";
  return out;
}
