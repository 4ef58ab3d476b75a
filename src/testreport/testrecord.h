#pragma once
#include "analyzer/recordkinds.h"
#include "core/bytefield.h"
#include "core/datetimetext.h"

#include <QString>

// One test report as the analyzer keeps it: a packed record of
// kTestReportRecords.blockSize (736) bytes. In memory
// its 16-bit fields are in host (little-endian) order; swapTestRec converts a
// record from the analyzer's big-endian order (and back).
struct TTestRec : ByteRecord<std::size_t(kTestReportRecords.blockSize)> {};

// The record's layout: result codes, DUT types, its entries and single bytes.
namespace testrec {

// Result codes of a test entry.
enum ResultCode : quint8 { NotPerformed = 0, NoVerdict = 1, Pass = 2, Fail = 3 };

enum DutType : quint8 { DutDefibrillator = 1, DutAed = 2 };

// The entries of a record, decoded. Each describes its own layout once, in its
// `fields` function; reading, writing and the byte-order conversion all follow it.
struct EnergyEntry {  // 10 × 41 bytes at 24, defibrillator records
  static constexpr std::size_t Base = 24, Size = 41, Count = 10;
  quint16 peakVoltage = 0, peakCurrent = 0, width10 = 0, width50 = 0, totalEnergy = 0, phase1Energy = 0;
  qint16 phase2PeakVoltage = 0, phase2PeakCurrent = 0;
  quint16 avgVoltage1 = 0;
  qint16 avgVoltage2 = 0;
  quint16 avgCurrent1 = 0;
  qint16 avgCurrent2 = 0;
  quint16 tilt = 0, phase2Width = 0, interphaseDelay = 0, pulseFrequency = 0, dutyCycle = 0;
  quint8 range = 0;
  quint16 targetEnergy = 0;
  quint8 tolerance = 0, ecgWave = 0, ecgScale = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.peakVoltage), v(2, e.peakCurrent), v(4, e.width10), v(6, e.width50), v(8, e.totalEnergy);
    v(10, e.phase1Energy), v(12, e.phase2PeakVoltage), v(14, e.phase2PeakCurrent), v(16, e.avgVoltage1);
    v(18, e.avgVoltage2), v(20, e.avgCurrent1), v(22, e.avgCurrent2), v(24, e.tilt), v(26, e.phase2Width);
    v(28, e.interphaseDelay), v(30, e.pulseFrequency), v(32, e.dutyCycle), v(34, e.range), v(35, e.targetEnergy);
    v(37, e.tolerance), v(38, e.ecgWave), v(39, e.ecgScale), v(40, e.result);
  }
};

struct AedEntry {  // 32 × 5 bytes at 24, AED records
  static constexpr std::size_t Base = 24, Size = 5, Count = 32;
  static constexpr quint8 PassBit = 0x01, FailBit = 0x02, ShockableBit = 0x10;
  quint16 energy = 0;
  quint8 ecgWave = 0, ecgScale = 0, flags = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.energy), v(2, e.ecgWave), v(3, e.ecgScale), v(4, e.flags);
  }
};

struct ChargeTimeTest {  // one at 434
  static constexpr std::size_t Base = 434, Size = 12, Count = 1;
  quint16 chargeTime = 0, energy = 0, maxChargeTime = 0, targetEnergy = 0;
  quint8 tolerance = 0, ecgWave = 0, ecgScale = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.chargeTime), v(2, e.energy), v(4, e.maxChargeTime), v(6, e.targetEnergy);
    v(8, e.tolerance), v(9, e.ecgWave), v(10, e.ecgScale), v(11, e.result);
  }
};

struct CardioversionEntry {  // 4 × 13 bytes at 446
  static constexpr std::size_t Base = 446, Size = 13, Count = 4;
  quint16 energy = 0;
  quint8 range = 0;
  qint16 syncDelay = 0;
  quint16 targetEnergy = 0;
  quint8 tolerance = 0, syncLimits = 0, ecgWave = 0, ecgScale = 0, syncToRWave = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.energy), v(2, e.range), v(3, e.syncDelay), v(5, e.targetEnergy), v(7, e.tolerance);
    v(8, e.syncLimits), v(9, e.ecgWave), v(10, e.ecgScale), v(11, e.syncToRWave), v(12, e.result);
  }
};

struct EcgEntry {  // 12 × 3 bytes at 498
  static constexpr std::size_t Base = 498, Size = 3, Count = 12;
  quint8 ecgWave = 0, ecgScale = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.ecgWave), v(1, e.ecgScale), v(2, e.result);
  }
};

struct NoiseImmunityTest {  // one at 535; the pacer load index at 534 belongs to the pacer group
  static constexpr std::size_t Base = 535, Size = 3, Count = 1;
  static constexpr quint16 PassingAmplitude = 1000;
  quint8 frequency = 0;  // 0 not run, 1 50 Hz, other 60 Hz
  quint16 amplitude = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.frequency), v(1, e.amplitude);
  }
};

struct PacerEntry {  // 10 × 16 bytes at 538
  static constexpr std::size_t Base = 538, Size = 16, Count = 10;
  quint16 amplitude = 0, width = 0, rate = 0;
  qint16 energy = 0;
  quint8 method = 0, targetAmplitude = 0, targetWidth = 0, targetRate = 0;
  quint8 amplitudeTolerance = 0, widthTolerance = 0, rateTolerance = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.amplitude), v(2, e.width), v(4, e.rate), v(6, e.energy), v(8, e.method), v(9, e.targetAmplitude);
    v(10, e.targetWidth), v(11, e.targetRate), v(12, e.amplitudeTolerance), v(13, e.widthTolerance);
    v(14, e.rateTolerance), v(15, e.result);
  }
};

struct DemandEntry {  // 2 × 7 bytes at 698
  static constexpr std::size_t Base = 698, Size = 7, Count = 2;
  quint16 triggerAmplitude = 0, sensitivityLimit = 0;
  quint8 triggerWave = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.triggerAmplitude), v(2, e.sensitivityLimit), v(4, e.triggerWave), v(5, e.result);
  }
};

struct RefractoryEntry {  // 2 × 10 bytes at 712
  static constexpr std::size_t Base = 712, Size = 10, Count = 2;
  quint16 pacedPeriod = 0, sensedPeriod = 0, minimum = 0, maximum = 0;
  quint8 triggerWave = 0, result = 0;

  template <class E, class V>
  static void fields(E& e, V&& v) {
    v(0, e.pacedPeriod), v(2, e.sensedPeriod), v(4, e.minimum), v(6, e.maximum), v(8, e.triggerWave), v(9, e.result);
  }
};

// Single bytes of the record outside the entries.
constexpr std::size_t DeviceId = 0, DeviceIdSize = 16;
constexpr std::size_t Day = 16, Month = 17, Year = 18, Hour = 19, Minute = 20, Second = 21;
constexpr std::size_t AutoSeqNumber = 22, DutTypeByte = 23;
constexpr std::size_t PacerLoad = 534, PreTestDischarges = 732;
}  // namespace testrec

// Converts a record between the analyzer's byte order and host order, in place.
// Which block is converted depends on the DUT type, read before anything is swapped.
void swapTestRec(char* record);
void swapTestRec(TTestRec& record);

// Derived values shown by the list, the reports and the exports.
QString deviceIdText(const TTestRec& rec);     // trimmed of blanks and control characters
QString rawDeviceIdText(const TTestRec& rec);  // up to the first NUL, untrimmed
QString dutTypeName(const TTestRec& rec);      // "Defibrillator", "AED" or empty
QString testTypeText(const TTestRec& rec);     // "Autosequence n" or "Manual"
DateTimeBytes testDateTime(const TTestRec& rec);
QString waveformKindText(const TTestRec& rec); // "Monophasic ", "Pulsed Biphasic ", "Biphasic " or empty
bool testRecPassed(const TTestRec& rec);

TTestRec testRecFromBytes(const char* bytes);  // a copy of one record's bytes

// A zero-filled record with its header set: device I.D., date and time,
// autosequence number (0 for a manual test) and DUT type.
TTestRec newTestRec(const char* deviceId, const DateTimeBytes& when, quint8 autoSeq, quint8 dutType);
