#pragma once
#include <QtGlobal>

class AnalyzerDriver;
class TransferProgress;
class UserMessages;

// One open road to the analyzer: the driver, and where its failures are reported.
struct DeviceLink {
  AnalyzerDriver& driver;
  UserMessages& messages;
};

// The link operations. Each returns 0 for success and -1 for failure, after
// showing its own message; readDevice also returns 1 while fewer bytes than a
// block are queued, and then reads nothing.
//
// Waiting polls the receive queue and lets pending events run between polls (at
// least once a millisecond while blocks keep coming); an idle poll sleeps until
// the next event (bytes arriving, the time-out, a button, or, for a driver whose
// bytes raise no event, a 1 ms wake-up) instead of spinning a core.
int openDevice(DeviceLink& link);
void closeDevice(DeviceLink& link);
int readDevice(DeviceLink& link, char* buffer, quint32 size);
int readBlocks(DeviceLink& link, char* buffer, int count, TransferProgress& progress, quint32 size);
int writeDevice(DeviceLink& link, const char* buffer, quint32 size);
int writeBlocks(DeviceLink& link, const char* buffer, int count, TransferProgress& progress, quint32 size);
void sendCommand(DeviceLink& link, const char* letters);
// Sends "GS" and reads the system-information block into `buffer` (kSystemInfoSize
// bytes). On failure the link is already closed.
int getSystemInfo(DeviceLink& link, char* buffer, TransferProgress& progress);
