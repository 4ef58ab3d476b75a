#include "autoseq/sampleautoseqs.h"

using namespace autoseq;

namespace {
TAutoSeq defibPlan(const char* title, DeviceCode timer, std::initializer_list<quint16> joules) {
  TAutoSeq a = initAutoSeq();
  setAutoSeqTitle(a, QString::fromLatin1(title));
  a.setU8(Device, timer);
  std::size_t k = 0;
  for (quint16 j : joules) setEntryAt(a, k++, DefibEnergyEntry{quint16(j * 10), 3, 40, 0, 1});
  if (joules.size() > 0) {
    a.setU16(MaxChargeTime, 150), a.setU16(ChargeTimeEnergy, quint16(*(joules.end() - 1) * 10));
    a.setU8(ChargeTimeTolerance, 3), a.setU8(ChargeTimeWave, 40), a.setU8(ChargeTimeEnabled, 1);
  }
  setEntryAt(a, 0, CardioversionEntry{500, 3, 1, 31, 0, 1, 1});
  a.setU8(EcgWaves, 15), a.setU8(EcgWaves + 1, 40);
  return a;
}

TAutoSeq aedPlan(const char* title, std::initializer_list<quint8> rhythms) {
  TAutoSeq a = initAutoSeq();
  setAutoSeqTitle(a, QString::fromLatin1(title));
  a.setU8(Device, Aed);
  a.setU8(TriggerMode, 0);
  std::size_t k = 0;
  for (quint8 rhythm : rhythms) setEntryAt(a, k++, AedEnergyEntry{rhythm, 0, 1});
  return a;
}

void addPacerPlan(TAutoSeq& a) {
  a.setU8(PacerLoad, 1), a.setU8(NoiseEnabled, 1), a.setU8(NoiseFrequency, 1);
  setEntryAt(a, 0, PacerPulseEntry{0, 70, 20, 70, 2, 2, 2, 1});
  setEntryAt(a, 1, PacerPulseEntry{3, 150, 0, 100, 2, 0, 2, 1});
  setEntryAt(a, 0, DemandEntry{150, 44, 1});
  setEntryAt(a, 0, RefractoryEntry{250, 350, 44});
}
}  // namespace

QList<TAutoSeq> sampleAutoSeqs() {
  QList<TAutoSeq> list = {
      defibPlan("BIPHASIC 150-360", DefibTimer5s, {150, 200, 360}),
      defibPlan("BIPHASIC 200", DefibTimer3s, {200}),
      defibPlan("MONO 200-360", DefibTimerOff, {200, 300, 360}),
      defibPlan("PEDIATRIC 2-50J", DefibTimer5s, {2, 5, 10, 20, 50}),
      defibPlan("QUICK CHECK", DefibTimer9s, {30}),
      defibPlan("ANNUAL PM DEFIB", DefibTimerOff, {50, 100, 150, 200, 300, 360}),
      aedPlan("AED STANDARD", {40, 34, 38, 41}),
      aedPlan("AED SHOCKABLE", {37, 38, 39, 40}),
      aedPlan("AED NON-SHOCK", {31, 33, 35, 42}),
      defibPlan("PACER + DEFIB", DefibTimer5s, {150, 200}),
      defibPlan("SYNC ONLY", DefibTimerOff, {}),
      defibPlan("QUARTERLY CHECKS", DefibTimer3s, {120, 150, 200}),
  };
  addPacerPlan(list[9]);
  addPacerPlan(list[11]);
  return list;
}
