#pragma once
#include "analyzer/recordkinds.h"
#include "core/bytefield.h"

#include <QString>

// One autosequence, a test plan the analyzer runs against one device: a packed
// record of kAutoSeqRecords.blockSize (276) bytes with no alignment, so some
// 16-bit fields lie at odd offsets. In memory and in autoseq.dat its 16-bit
// fields are little-endian; on the wire big-endian (swapAutoSeq).
//   0..15    title, NUL-padded (16 characters have no terminator)
//   16       device code: 0 empty, 1 defibrillator (timer off), 2 AED,
//            3, 4, 5 defibrillator with a 3, 5 or 9 second auto-test timer
//   17       ECG trigger mode, 0..3 (defibrillators)
//   18..113  10 defibrillator energy entries of 6 bytes, or for an AED 32 AED
//            energy entries of 3 bytes
//   114..121 charge time: maximum (0.1 s), target energy (0.1 J), tolerance,
//            waveform, scale, enabled
//   122..161 4 cardioversion entries of 10 bytes
//   162..174 12 ECG performance waveforms and their one scale
//   175..177 pacer load code (50 + 50 × code ohms), noise immunity on, frequency
//   178..257 10 pacer pulse entries of 8 bytes
//   258..265 2 demand sensitivity entries of 4 bytes
//   266..275 2 refractory period entries of 5 bytes (the second's limits at 271, 273)
// Every list is packed from entry 0; the bytes of unused entries are 0.
struct TAutoSeq : ByteRecord<std::size_t(kAutoSeqRecords.blockSize)> {};

namespace autoseq {

enum DeviceCode : quint8 { Empty = 0, DefibTimerOff = 1, Aed = 2, DefibTimer3s = 3, DefibTimer5s = 4, DefibTimer9s = 5 };

constexpr std::size_t Title = 0, TitleSize = 16, Device = 16, TriggerMode = 17;
constexpr std::size_t MaxChargeTime = 114, ChargeTimeEnergy = 116, ChargeTimeTolerance = 118;
constexpr std::size_t ChargeTimeWave = 119, ChargeTimeScale = 120, ChargeTimeEnabled = 121;
constexpr std::size_t EcgWaves = 162, EcgWaveCount = 12, EcgScale = 174;
constexpr std::size_t PacerLoad = 175, NoiseEnabled = 176, NoiseFrequency = 177;

struct DefibEnergyEntry {
  static constexpr std::size_t Base = 18, Size = 6, Count = 10;
  quint16 targetEnergy = 0;  // 0.1 J
  quint8 tolerance = 0, ecgWave = 0, ecgScale = 0, present = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.targetEnergy), v(2, e.tolerance), v(3, e.ecgWave), v(4, e.ecgScale), v(5, e.present);
  }
};

struct AedEnergyEntry {
  static constexpr std::size_t Base = 18, Size = 3, Count = 32;
  quint8 ecgWave = 0, ecgScale = 0, present = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.ecgWave), v(1, e.ecgScale), v(2, e.present);
  }
};

struct CardioversionEntry {  // bytes 8 and 9 are reserved and move with the entry
  static constexpr std::size_t Base = 122, Size = 10, Count = 4;
  quint16 targetEnergy = 0;
  quint8 tolerance = 0, delayTarget = 0, ecgWave = 0, ecgScale = 0, syncMethod = 0, present = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.targetEnergy), v(2, e.tolerance), v(3, e.delayTarget), v(4, e.ecgWave), v(5, e.ecgScale);
    v(6, e.syncMethod), v(7, e.present);
  }
};

struct EcgPerformanceEntry {  // one waveform each; their one scale is the byte after them (EcgScale)
  static constexpr std::size_t Base = EcgWaves, Size = 1, Count = EcgWaveCount;
  quint8 ecgWave = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.ecgWave);
  }
};

struct PacerPulseEntry {
  static constexpr std::size_t Base = 178, Size = 8, Count = 10;
  quint8 method = 0, current = 0, width = 0, rate = 0;  // mA, ms (0: not tested), pulses per minute
  quint8 currentTolerance = 0, widthTolerance = 0, rateTolerance = 0, present = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.method), v(1, e.current), v(2, e.width), v(3, e.rate), v(4, e.currentTolerance), v(5, e.widthTolerance);
    v(6, e.rateTolerance), v(7, e.present);
  }
};

struct DemandEntry {
  static constexpr std::size_t Base = 258, Size = 4, Count = 2;
  quint16 sensitivityLimit = 0;  // 0.01 mV
  quint8 triggerWave = 0, present = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.sensitivityLimit), v(2, e.triggerWave), v(3, e.present);
  }
};

struct RefractoryEntry {  // defined while its minimum is not 0
  static constexpr std::size_t Base = 266, Size = 5, Count = 2;
  quint16 minimum = 0, maximum = 0;  // ms
  quint8 triggerWave = 0;
  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.minimum), v(2, e.maximum), v(4, e.triggerWave);
  }
};

}  // namespace autoseq

// A new autosequence: all zero but a defibrillator with the 5 second timer
// (code 4) that changes to NSR60 after a shock (trigger mode 1).
TAutoSeq initAutoSeq();

QString autoSeqTitleText(const TAutoSeq& rec);  // up to the first NUL, blanks and controls trimmed
void setAutoSeqTitle(TAutoSeq& rec, const QString& title);  // its first 16 characters, NUL-padded
QString autoSeqDutName(const TAutoSeq& rec);  // "AED", "Empty" or "Defibrillator"
bool isAedAutoSeq(const TAutoSeq& rec);

// Converts a record between host order and the analyzer's order, in place; an
// AED's block at 18..113 holds single bytes only and is left as it is.
void swapAutoSeq(char* record);

TAutoSeq autoSeqFromBytes(const char* bytes);  // a copy of one record's bytes
