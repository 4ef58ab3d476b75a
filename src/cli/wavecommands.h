#pragma once
#include <QString>

class PdfPrinter;
class RecordKeeper;
struct DeviceLink;
class QTextStream;
class UserMessages;

// The waveform commands of kalyx5pc-cli; each returns the process exit status
// (0, or 1 with the program's message on standard error). Without an output
// they print each waveform's information texts as the viewer's panel shows
// them: a caption, a blank and the value, one a line.
struct WaveOutputs {
  QString csv;  // waves: a folder for wave-01.csv, wave-02.csv, …; else a waveform file
  QString pdf;  // the printout, one landscape page per waveform
  PdfPrinter* printer = nullptr;  // given when pdf is
  bool any() const { return !csv.isEmpty() || !pdf.isEmpty(); }
};

// Downloads the wave records.
int runWavesCommand(DeviceLink& link, const WaveOutputs& outputs, QTextStream& out);
// Captures one real-time waveform.
// Captures one real-time waveform and hands it to `keeper` (the archive).
int runCaptureCommand(DeviceLink& link, const WaveOutputs& outputs, RecordKeeper* keeper, QTextStream& out);
// Opens a waveform file as the viewer does.
int runWavefileCommand(const QString& path, const WaveOutputs& outputs, UserMessages& messages, QTextStream& out);
