#pragma once
#include "device/analyzerdriver.h"

#include <QString>

class QSerialPort;

// The analyzer's USB interface chip seen as a serial port. Open by description
// finds the port whose USB product description matches; a port given by path
// (--port or KALYX5PC_PORT) is opened instead when set. The line keeps the
// port's defaults: nothing else is set.
class SerialDriver : public AnalyzerDriver {
 public:
  explicit SerialDriver(QString explicitPort = QString());
  ~SerialDriver() override;

  quint32 openByDescription(const QByteArray& description) override;
  quint32 queueStatus(quint32* waiting) override;
  quint32 read(char* buffer, quint32 size, quint32* count) override;
  quint32 write(const char* buffer, quint32 size, quint32* count) override;
  void close() override;
  bool signalsArrivals() const override { return true; }

  // The port that presents the description, or an empty text. On Windows, where
  // the description is not the product string, the FTDI cable's port.
  static QString findPortByDescription(const QByteArray& description);

 private:
  QString explicitPort_;
  QSerialPort* port_ = nullptr;
  bool failed_ = false;  // the port reported a read or resource error (unplugged)
};

// FTDI's vendor and its usual serial products, as the analyzer's interface chip presents them.
bool isFtdiSerialCable(quint16 vendor, quint16 product);

// The USB product string of a serial device from sysfs, for systems without a udev database.
QString usbProductFromSysfs(const QString& portName, const QString& sysfsRoot = QStringLiteral("/sys/class/tty"));
