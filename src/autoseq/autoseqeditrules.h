#pragma once
#include <QString>
#include <QtGlobal>
#include <optional>

// How the autosequence editor turns stored bytes into the texts and choices of
// its controls, and back. Kept apart from the widgets so each rule is checked on
// its own.

// A waveform as a combo item: "Ventricular Fibrillation, Coarse (VFIB1)". The ECG
// performance combo names the pacer triggers (43 to 57) per 60 beats a minute:
// "Pulse, 2 msec/60BPM (SQRP2)".
QString waveItemText(int wave);
QString ecgPerformanceWaveItemText(int wave);

// A field's text, blanks at both ends removed, as a decimal integer.
std::optional<int> readIntegerText(const QString& text);
int integerTextOrZero(const QString& text);  // what a store writes: 0 for a text that is not a number

// The demand sensitivity limit is stored in hundredths of a millivolt and edited
// as millivolts with a point: 200 "2.00", 5 "0.05"; a stored 0 shows the default 2.00.
QString sensitivityLimitText(quint16 hundredths);
// ".5" 50, "1.234" 123, "2." 200, "3" 300; a part that is not a number counts as 0.
int sensitivityLimitFromText(const QString& text);
// The millivolts a limit text reads as: digits with at most one point (a sign in
// front allowed); nothing else, so every text that passes reads back as stored.
std::optional<double> readSensitivityText(const QString& text);

// The Advanced page: the trigger mode choice and the auto-test timer, which lives
// in the device code (1 off, 3, 4, 5 for 3, 5, 9 seconds; an AED opens as 5 s).
int triggerModeIndex(quint8 deviceCode, quint8 triggerMode);
int autoTestTimerIndex(quint8 deviceCode);
quint8 deviceCodeOfTimer(int timerIndex);

// The pacer load: 50 ohms and 50 more for each step of the stored code.
constexpr int pacerLoadOhms(quint8 code) { return 50 + 50 * code; }
constexpr quint8 pacerLoadCode(int ohms) { return quint8(ohms / 50 - 1); }
