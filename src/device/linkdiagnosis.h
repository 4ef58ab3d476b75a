#pragma once
#include <QList>
#include <QString>
#include <functional>

// What the system says about the way to the analyzer, read from the files the
// kernel publishes (sysfs and /proc on Linux). Tests point the roots at fake trees.
struct SystemRoots {
  QString sysfs = QStringLiteral("/sys");
  QString proc = QStringLiteral("/proc");
  QString dev = QStringLiteral("/dev");
  // Whether this user may read and write a port; unset: asked of the file system.
  std::function<bool(const QString& path)> mayOpen;
};

// A USB serial port and the USB device behind it.
struct UsbSerialPort {
  QString name;  // ttyUSB0
  QString path;  // /dev/ttyUSB0
  QString vendorId, productId;  // four hexadecimal digits each
  QString product, manufacturer, serialNumber;
  QString driver;        // ftdi_sio
  int latencyMs = -1;    // the FTDI latency timer; -1 where the driver has none
};

QList<UsbSerialPort> usbSerialPorts(const SystemRoots& roots);

// One line of the diagnosis: what was found and, for a problem, what to do.
struct LinkFinding {
  enum class Kind { Fact, Good, Problem };
  Kind kind;
  QString text;
};

// The system's part of the diagnosis: the ports, which one would be opened and
// why or why not, the permission to open it, programs and drivers in the way and
// the latency timer. `portToTry` gets the port the analyzer would be opened on,
// or stays empty.
QList<LinkFinding> diagnoseSystem(const SystemRoots& roots, const QString& explicitPort, const QString& description,
                                  QString* portToTry);

// The finding's line as printed: "ok", "PROBLEM" or nothing before the text.
QString findingLine(const LinkFinding& finding);
