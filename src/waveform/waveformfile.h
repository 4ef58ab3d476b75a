#pragma once
#include "waveform/decimalnumber.h"
#include "waveform/waveinfo.h"

#include <QByteArray>
#include <QString>
#include <variant>

// A waveform file: comma-text lines, each ended by a carriage return and a line
// feed, written and read in the program's file text encoding (encodeFileText:
// the system's, or the `codec` named).
//   Line 1: the information texts as shown: device I.D., date, test type, test
//   number, resolution, sample interval; then for a pacer pulse its current,
//   method, width, rate and test load (11 fields); else the first phase's peak
//   current and voltage, the total energy and the widths at 10 % and 50 % (11),
//   and for a 13-bit capture thirteen more (24): average current, second peak
//   current, second average current, average voltage, second peak voltage,
//   second average voltage, first-phase energy, second width, frequency, duty
//   cycle, tilt, interphase delay, second-phase energy.
//   Lines 2 on: one point each, time in ms and current, in general format with up
//   to 15 significant digits and the system's decimal separator.
QStringList waveformHeaderFields(const WaveInfo& info);
QByteArray waveformFileBytes(const WaveInfo& info, const QList<QPointF>& points,
                             QChar decimalPoint = systemDecimalPoint(), const char* codec = nullptr);

// Why a file is not a waveform file, and on which line.
struct WaveformFileError {
  int line = 0;
  QString reason;
  QString message(const QString& path) const;  // "PATH is not a valid waveform file: line N: REASON"
};

// Reads a waveform file as the viewer opens it. A header of fewer than 11 fields
// sets no text; a data line of other than two fields is skipped; a number may
// use "." or the system's decimal separator. A 13-bit header without its 24
// fields and a point that is not a finite number make the file invalid.
std::variant<Waveform, WaveformFileError> readWaveformFile(const QByteArray& bytes,
                                                           QChar decimalPoint = systemDecimalPoint(),
                                                           const char* codec = nullptr);
