#pragma once
#include <QByteArray>
#include <QtGlobal>

// The status values of the five link operations, as the analyzer's USB library
// gives them; every backend returns these and nothing else.
namespace driverstatus {
constexpr quint32 Ok = 0;
constexpr quint32 InvalidHandle = 1;    // the link is not open
constexpr quint32 DeviceNotFound = 2;   // no analyzer presents the description
constexpr quint32 DeviceNotOpened = 3;  // found, but it could not be opened
constexpr quint32 IoError = 4;          // a read, write or queue query failed
}  // namespace driverstatus

// The five operations the program needs of the USB link to the analyzer. Each
// returns a status from driverstatus, Ok for success.
//
// A failed receive-queue status means the same on every backend: the count is
// left as the caller preset it (0), so the transfer sees nothing queued and ends
// in its time-out.
class AnalyzerDriver {
 public:
  virtual ~AnalyzerDriver() = default;

  // Opens the analyzer that presents the given USB description.
  virtual quint32 openByDescription(const QByteArray& description) = 0;
  // The number of received bytes waiting to be read.
  virtual quint32 queueStatus(quint32* waiting) = 0;
  // Reads exactly `size` bytes of those waiting; `count` gets the number read.
  virtual quint32 read(char* buffer, quint32 size, quint32* count) = 0;
  virtual quint32 write(const char* buffer, quint32 size, quint32* count) = 0;
  virtual void close() = 0;
  // True when arriving bytes wake the event loop by themselves (a serial port's
  // notifier), so a waiting transfer needs no timer to look again.
  virtual bool signalsArrivals() const { return false; }

 private:
  // One transfer at a time: a transfer claims the link for its whole road, so a
  // second one started from a window's event loop while the first waits is refused.
  friend class TransferClaim;
  bool inTransfer_ = false;
};

// Holds the link for one transfer while it lives; false when another transfer holds it.
class TransferClaim {
 public:
  explicit TransferClaim(AnalyzerDriver& driver) : driver_(driver.inTransfer_ ? nullptr : &driver) {
    if (driver_) driver_->inTransfer_ = true;
  }
  ~TransferClaim() {
    if (driver_) driver_->inTransfer_ = false;
  }
  TransferClaim(const TransferClaim&) = delete;
  TransferClaim& operator=(const TransferClaim&) = delete;
  explicit operator bool() const { return driver_ != nullptr; }

 private:
  AnalyzerDriver* driver_;
};

// The USB product description the analyzer presents.
inline QByteArray analyzerDescription() { return QByteArrayLiteral("Kalyx 5 Defib Tester Final"); }
