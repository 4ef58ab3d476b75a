#pragma once
#include <QString>

struct DeviceLink;
class QTextStream;
class UserMessages;

// The waveform commands of kalyx5pc-cli; each returns the process exit status
// (0, or 1 with the program's message on standard error). Without a CSV path
// they print each waveform's information texts as the viewer's panel shows
// them: a caption, a blank and the value, one a line.

// Downloads the wave records; with a folder, writes wave-01.csv, wave-02.csv, …
int runWavesCommand(DeviceLink& link, const QString& csvFolder, QTextStream& out);
// Captures one real-time waveform; with a path, writes its waveform file.
int runCaptureCommand(DeviceLink& link, const QString& csvFile, QTextStream& out);
// Opens a waveform file as the viewer does; with a path, writes it again.
int runWavefileCommand(const QString& path, const QString& csvFile, UserMessages& messages, QTextStream& out);
