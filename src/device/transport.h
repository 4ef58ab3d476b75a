#pragma once
#include <QtGlobal>

class AnalyzerDriver;
class TransferProgress;
class UserMessages;

// How a transfer waits for bytes: Spin polls the queue as fast as it can;
// Block sleeps until the next event (bytes arriving, the time-out, a button,
// or a 1 ms wake-up), which costs a few percent of a core instead of a whole one.
enum class WaitMode { Spin, Block };

// One open road to the analyzer: the driver, and where its failures are reported.
struct DeviceLink {
  AnalyzerDriver& driver;
  UserMessages& messages;
  WaitMode waitMode = WaitMode::Block;
};

// The link operations. Each returns 0 for success and -1 for failure, after
// showing its own message; readDevice also returns 1 while fewer bytes than a
// block are queued, and then reads nothing.
int openDevice(DeviceLink& link);
void closeDevice(DeviceLink& link);
int readDevice(DeviceLink& link, char* buffer, quint32 size);
int readBlocks(DeviceLink& link, char* buffer, int count, TransferProgress& progress, quint32 size);
int writeDevice(DeviceLink& link, const char* buffer, quint32 size);
int writeBlocks(DeviceLink& link, const char* buffer, int count, TransferProgress& progress, quint32 size);
void sendCommand(DeviceLink& link, const char* letters);
// Sends "GS" and reads the 37-byte system-information block. On failure the link is already closed.
int getSystemInfo(DeviceLink& link, char* buffer, TransferProgress& progress);

constexpr int kSystemInfoSize = 37;
