#include "device/linkdiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr char kFtdiVendor[] = "0403";

QString readLine(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.read(256)).trimmed();
}

// The USB device folder above a port: the first folder upwards with an idVendor file.
QString usbDeviceFolder(QString folder, const QString& sysfsRoot) {
  const QString root = QFileInfo(sysfsRoot).canonicalFilePath();
  while (!folder.isEmpty() && folder.startsWith(root) && folder != root) {
    if (QFileInfo::exists(folder + QStringLiteral("/idVendor"))) return folder;
    folder = QFileInfo(folder).path();
  }
  return {};
}

LinkFinding fact(const QString& text) { return {LinkFinding::Kind::Fact, text}; }
LinkFinding good(const QString& text) { return {LinkFinding::Kind::Good, text}; }
LinkFinding problem(const QString& text) { return {LinkFinding::Kind::Problem, text}; }

QString describe(const UsbSerialPort& port) {
  QString text = QStringLiteral("%1: USB %2:%3").arg(port.path, port.vendorId, port.productId);
  text += port.product.isEmpty() ? QStringLiteral(", no product description")
                                 : QStringLiteral(", \"%1\"").arg(port.product);
  if (!port.manufacturer.isEmpty()) text += QStringLiteral(", made by %1").arg(port.manufacturer);
  if (!port.serialNumber.isEmpty()) text += QStringLiteral(", serial number %1").arg(port.serialNumber);
  if (!port.driver.isEmpty()) text += QStringLiteral(", driver %1").arg(port.driver);
  return text;
}

// The names of the running programs, from /proc/PID/comm.
QStringList runningPrograms(const SystemRoots& roots) {
  QStringList names;
  const QDir proc(roots.proc);
  for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool number = false;
    pid.toInt(&number);
    if (number) names << readLine(proc.filePath(pid + QStringLiteral("/comm")));
  }
  return names;
}

// FTDI USB devices plugged in, whether or not a driver gave them a port.
int ftdiDevicesPlugged(const SystemRoots& roots) {
  int count = 0;
  const QDir usb(roots.sysfs + QStringLiteral("/bus/usb/devices"));
  for (const QString& device : usb.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    count += readLine(usb.filePath(device + QStringLiteral("/idVendor"))) == QLatin1String(kFtdiVendor);
  return count;
}

void checkAccess(const SystemRoots& roots, const QString& path, QList<LinkFinding>& findings) {
  const QFileInfo port(path);
  if (!port.exists()) {
    findings << problem(QStringLiteral("%1 does not exist: check the port's name, or plug the analyzer in again.").arg(path));
    return;
  }
  if (roots.mayOpen ? roots.mayOpen(path) : port.isReadable() && port.isWritable()) {
    findings << good(QStringLiteral("You may open %1.").arg(path));
    return;
  }
  findings << problem(QStringLiteral("You may not open %1 (owner %2, group %3). Install the Kalyx 5pc package, whose "
                                     "udev rule gives the logged-in user the analyzer's port, and plug the analyzer "
                                     "in again; or join the group: sudo usermod -aG %3 $USER, then log in again.")
                          .arg(path, port.owner(), port.group()));
}

void checkPrograms(const SystemRoots& roots, bool ftdiInvolved, QList<LinkFinding>& findings) {
  const QStringList running = runningPrograms(roots);
  if (running.contains(QStringLiteral("ModemManager")))
    findings << (ftdiInvolved ? problem(QStringLiteral(
                                    "ModemManager is running and may probe the analyzer's port in the middle of a "
                                    "transfer. The Kalyx 5pc package's udev rule tells it to leave the analyzer alone; "
                                    "without the rule, stop it while you work: sudo systemctl stop ModemManager."))
                              : fact(QStringLiteral("ModemManager is running.")));
  if (running.contains(QStringLiteral("brltty")))
    findings << problem(QStringLiteral(
        "brltty is running: it takes FTDI cables for braille displays and holds their ports. If no braille display "
        "is used here, remove it: sudo apt remove brltty."));
}
}  // namespace

QList<UsbSerialPort> usbSerialPorts(const SystemRoots& roots) {
  QList<UsbSerialPort> ports;
  const QDir ttys(roots.sysfs + QStringLiteral("/class/tty"));
  for (const QString& name : ttys.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
    const QString device = QFileInfo(ttys.filePath(name + QStringLiteral("/device"))).canonicalFilePath();
    if (device.isEmpty()) continue;  // a virtual terminal
    const QString usb = usbDeviceFolder(device, roots.sysfs);
    if (usb.isEmpty()) continue;  // a serial port on the board, not the analyzer's cable
    UsbSerialPort port;
    port.name = name;
    port.path = roots.dev + QLatin1Char('/') + name;
    port.vendorId = readLine(usb + QStringLiteral("/idVendor"));
    port.productId = readLine(usb + QStringLiteral("/idProduct"));
    port.product = readLine(usb + QStringLiteral("/product"));
    port.manufacturer = readLine(usb + QStringLiteral("/manufacturer"));
    port.serialNumber = readLine(usb + QStringLiteral("/serial"));
    port.driver = QFileInfo(QFileInfo(device + QStringLiteral("/driver")).canonicalFilePath()).fileName();
    bool number = false;
    const int latency = readLine(device + QStringLiteral("/latency_timer")).toInt(&number);
    port.latencyMs = number ? latency : -1;
    ports << port;
  }
  return ports;
}

QList<LinkFinding> diagnoseSystem(const SystemRoots& roots, const QString& explicitPort, const QString& description,
                                  QString* portToTry) {
  QList<LinkFinding> findings;
  const QList<UsbSerialPort> ports = usbSerialPorts(roots);
  for (const UsbSerialPort& port : ports) findings << fact(QStringLiteral("Port ") + describe(port));

  const UsbSerialPort* chosen = nullptr;
  for (const UsbSerialPort& port : ports)
    if (port.product == description && !chosen) chosen = &port;
  bool ftdiInvolved = chosen && chosen->vendorId == QLatin1String(kFtdiVendor);

  if (!explicitPort.isEmpty()) {
    *portToTry = explicitPort;
    findings << fact(QStringLiteral("The port %1 was named (--port or KALYX5PC_PORT), so it is used as it is.").arg(explicitPort));
    for (const UsbSerialPort& port : ports)
      if (port.path == explicitPort) chosen = &port;
    checkAccess(roots, explicitPort, findings);
  } else if (chosen) {
    *portToTry = chosen->path;
    findings << good(QStringLiteral("%1 presents \"%2\": the analyzer is opened there.").arg(chosen->path, description));
    checkAccess(roots, chosen->path, findings);
  } else {
    const UsbSerialPort* ftdi = nullptr;
    for (const UsbSerialPort& port : ports)
      if (port.vendorId == QLatin1String(kFtdiVendor) && !ftdi) ftdi = &port;
    if (ftdi) {
      ftdiInvolved = true;
      findings << problem(QStringLiteral("No port presents \"%1\". %2 is an FTDI cable that presents %3: if it is the "
                                         "analyzer, start with --port %2.")
                              .arg(description, ftdi->path,
                                   ftdi->product.isEmpty() ? QStringLiteral("no description")
                                                           : QLatin1Char('"') + ftdi->product + QLatin1Char('"')));
    } else if (ftdiDevicesPlugged(roots) > 0) {
      ftdiInvolved = true;
      const bool driverLoaded = QFileInfo::exists(roots.sysfs + QStringLiteral("/bus/usb-serial/drivers/ftdi_sio"));
      findings << problem(driverLoaded
                              ? QStringLiteral("An FTDI USB device is plugged in but has no serial port: unplug the "
                                               "analyzer and plug it in again.")
                              : QStringLiteral("An FTDI USB device is plugged in but the ftdi_sio driver is not loaded: "
                                               "run sudo modprobe ftdi_sio, then plug the analyzer in again."));
    } else {
      findings << problem(QStringLiteral("No USB serial port presents \"%1\": connect the analyzer with its USB cable, "
                                         "switch it on, and check the cable at both ends.")
                              .arg(description));
    }
  }

  if (chosen && chosen->latencyMs > 1)
    findings << problem(QStringLiteral("The latency timer of %1 is %2 ms, which slows every transfer. The Kalyx 5pc "
                                       "package's udev rule sets it to 1 ms; until then: echo 1 | sudo tee "
                                       "/sys/bus/usb-serial/devices/%3/latency_timer")
                            .arg(chosen->path)
                            .arg(chosen->latencyMs)
                            .arg(chosen->name));
  checkPrograms(roots, ftdiInvolved || !ports.isEmpty(), findings);
  return findings;
}

QString findingLine(const LinkFinding& finding) {
  switch (finding.kind) {
    case LinkFinding::Kind::Good: return QStringLiteral("ok       ") + finding.text;
    case LinkFinding::Kind::Problem: return QStringLiteral("PROBLEM  ") + finding.text;
    case LinkFinding::Kind::Fact: break;
  }
  return QStringLiteral("         ") + finding.text;
}
