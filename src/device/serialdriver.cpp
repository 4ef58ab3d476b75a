#include "device/serialdriver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace {
constexpr int kWriteWaitMs = 2000;
}  // namespace

QString usbProductFromSysfs(const QString& portName, const QString& sysfsRoot) {
#ifdef Q_OS_LINUX
  // /sys/class/tty/ttyUSB0/device leads into the USB interface; the device
  // folder above it holds the product string.
  QString folder = QFileInfo(sysfsRoot + QLatin1Char('/') + portName + QStringLiteral("/device")).canonicalFilePath();
  for (int depth = 0; depth < 6 && !folder.isEmpty() && folder != QLatin1String("/"); ++depth) {
    QFile product(folder + QStringLiteral("/product"));
    if (product.open(QIODevice::ReadOnly)) return QString::fromUtf8(product.readAll()).trimmed();
    folder = QFileInfo(folder).path();
  }
#else
  Q_UNUSED(portName);
  Q_UNUSED(sysfsRoot);
#endif
  return QString();
}

bool isFtdiSerialCable(quint16 vendor, quint16 product) {
  return vendor == 0x0403 && (product == 0x6001 || product == 0x6010 || product == 0x6011 || product == 0x6014 ||
                              product == 0x6015);
}

QString SerialDriver::findPortByDescription(const QByteArray& description) {
  const QString wanted = QString::fromLatin1(description);
  const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
  for (const QSerialPortInfo& info : ports) {
    QString shown = info.description();
    if (shown.isEmpty()) shown = usbProductFromSysfs(info.portName());
    if (shown == wanted) return info.systemLocation();
  }
#ifdef Q_OS_WIN
  // Windows names every FTDI port "USB Serial Port", never the product string:
  // there the analyzer's port is the FTDI cable's.
  for (const QSerialPortInfo& info : ports)
    if (info.hasVendorIdentifier() && isFtdiSerialCable(info.vendorIdentifier(), info.productIdentifier()))
      return info.systemLocation();
#endif
  return QString();
}

SerialDriver::SerialDriver(QString explicitPort) : explicitPort_(std::move(explicitPort)) {}

SerialDriver::~SerialDriver() { close(); }

quint32 SerialDriver::openByDescription(const QByteArray& description) {
  close();
  const QString location = explicitPort_.isEmpty() ? findPortByDescription(description) : explicitPort_;
  if (location.isEmpty()) return driverstatus::DeviceNotFound;
  port_ = new QSerialPort;
  port_->setPortName(location);
  QObject::connect(port_, &QSerialPort::errorOccurred, port_, [this](QSerialPort::SerialPortError error) {
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError) failed_ = true;
    if (error == QSerialPort::TimeoutError && port_) port_->clearError();
  });
  failed_ = false;
  if (!port_->open(QIODevice::ReadWrite)) {
    delete port_;
    port_ = nullptr;
    return driverstatus::DeviceNotOpened;
  }
  return driverstatus::Ok;
}

quint32 SerialDriver::queueStatus(quint32* waiting) {
  if (!port_) return driverstatus::InvalidHandle;
  const qint64 available = port_->bytesAvailable();
  // An unplugged analyzer sends no more: the query fails and reports nothing,
  // so the transfer waits for the bytes it lacks and ends in its time-out.
  if (failed_) return driverstatus::IoError;
  *waiting = quint32(qMin<qint64>(available, 0xFFFFFFFF));
  return driverstatus::Ok;
}

quint32 SerialDriver::read(char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!port_) return driverstatus::InvalidHandle;
  if (failed_ && port_->bytesAvailable() < size) return driverstatus::IoError;
  const qint64 n = port_->read(buffer, size);
  if (n < 0) return driverstatus::IoError;
  *count = quint32(n);
  return driverstatus::Ok;
}

quint32 SerialDriver::write(const char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!port_) return driverstatus::InvalidHandle;
  if (failed_) return driverstatus::IoError;
  const qint64 n = port_->write(buffer, size);
  if (n < 0) return driverstatus::IoError;
  while (port_->bytesToWrite() > 0)
    if (!port_->waitForBytesWritten(kWriteWaitMs)) break;
  *count = quint32(n);
  return port_->bytesToWrite() > 0 ? driverstatus::IoError : driverstatus::Ok;
}

void SerialDriver::close() {
  if (!port_) return;
  port_->close();
  delete port_;
  port_ = nullptr;
  failed_ = false;
}
