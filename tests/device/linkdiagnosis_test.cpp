// The system's part of the connection check, on fake sysfs and /proc trees laid
// out as the kernel lays them out for USB serial cables.
#include "device/linkdiagnosis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class FakeSystem {
 public:
  FakeSystem() {
    roots.sysfs = dir.filePath("sys");
    roots.proc = dir.filePath("proc");
    roots.dev = dir.filePath("dev");
    for (const char* folder : {"sys/class/tty", "sys/bus/usb/devices", "sys/bus/usb-serial/drivers", "proc", "dev"})
      QDir().mkpath(dir.filePath(folder));
    // Every machine has terminals without a device, and a serial port on the board.
    QDir().mkpath(dir.filePath("sys/class/tty/tty0"));
    QDir().mkpath(dir.filePath("sys/devices/platform/serial8250/tty/ttyS0"));
    link("sys/devices/platform/serial8250", "sys/class/tty/ttyS0/device");
  }

  struct Usb {
    QString vendor = QStringLiteral("0403"), product = QStringLiteral("6001");
    QString productString = QStringLiteral("Kalyx 5 Defib Tester Final");
    QString driver = QStringLiteral("ftdi_sio");
    int latency = 1;
    bool portAppears = true;
  };

  // A USB serial cable at USB address 1-N, with its port ttyUSBn when the driver made one.
  void plug(int n, const Usb& usb) {
    const QString device = QStringLiteral("sys/devices/pci0000:00/usb1/1-%1").arg(n);
    const QString port = QStringLiteral("ttyUSB%1").arg(n);
    write(device + "/idVendor", usb.vendor);
    write(device + "/idProduct", usb.product);
    if (!usb.productString.isNull()) write(device + "/product", usb.productString);
    write(device + "/manufacturer", "FTDI");
    write(device + "/serial", QStringLiteral("FT%1").arg(n));
    link(device, QStringLiteral("sys/bus/usb/devices/1-%1").arg(n));
    if (!usb.portAppears) return;
    const QString serialDevice = device + QStringLiteral("/1-%1:1.0/%2").arg(n).arg(port);
    QDir().mkpath(dir.filePath(serialDevice + "/tty/" + port));
    QDir().mkpath(dir.filePath("sys/bus/usb-serial/drivers/" + usb.driver));
    link("sys/bus/usb-serial/drivers/" + usb.driver, serialDevice + "/driver");
    if (usb.latency >= 0) write(serialDevice + "/latency_timer", QString::number(usb.latency));
    QDir().mkpath(dir.filePath("sys/class/tty/" + port));
    link(serialDevice, "sys/class/tty/" + port + "/device");
    write("dev/" + port, "");
  }
  void run(int pid, const char* program) { write(QStringLiteral("proc/%1/comm").arg(pid), QString::fromLatin1(program) + "\n"); }
  // The port as it is without the udev rule: this user may not open it (even where the tests run as root).
  void lockPort(int n) {
    const QString locked = dev(n);
    roots.mayOpen = [locked](const QString& path) { return path != locked; };
  }
  QString dev(int n) const { return dir.filePath(QStringLiteral("dev/ttyUSB%1").arg(n)); }

  QList<LinkFinding> diagnose(const QString& explicitPort = {}) {
    port.clear();
    return diagnoseSystem(roots, explicitPort, QStringLiteral("Kalyx 5 Defib Tester Final"), &port);
  }

  QTemporaryDir dir;
  SystemRoots roots;
  QString port;

 private:
  void write(const QString& relative, const QString& text) {
    QDir().mkpath(QFileInfo(dir.filePath(relative)).path());
    QFile file(dir.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8() + "\n");
  }
  void link(const QString& target, const QString& linkName) {
    QDir().mkpath(QFileInfo(dir.filePath(linkName)).path());
    ASSERT_TRUE(QFile::link(dir.filePath(target), dir.filePath(linkName)));
  }
};

QStringList problems(const QList<LinkFinding>& findings) {
  QStringList out;
  for (const LinkFinding& f : findings)
    if (f.kind == LinkFinding::Kind::Problem) out << f.text;
  return out;
}
}  // namespace

TEST(LinkDiagnosis, ListsOnlyUsbSerialPortsWithTheirDevices) {
  FakeSystem system;
  system.plug(0, {});
  FakeSystem::Usb prolific;
  prolific.vendor = "067b", prolific.product = "2303", prolific.productString = "USB-Serial Controller";
  prolific.driver = "pl2303", prolific.latency = -1;
  system.plug(1, prolific);
  const QList<UsbSerialPort> ports = usbSerialPorts(system.roots);
  ASSERT_EQ(ports.size(), 2);
  EXPECT_EQ(ports[0].name, "ttyUSB0");
  EXPECT_EQ(ports[0].path, system.dev(0));
  EXPECT_EQ(ports[0].vendorId, "0403");
  EXPECT_EQ(ports[0].productId, "6001");
  EXPECT_EQ(ports[0].product, "Kalyx 5 Defib Tester Final");
  EXPECT_EQ(ports[0].manufacturer, "FTDI");
  EXPECT_EQ(ports[0].serialNumber, "FT0");
  EXPECT_EQ(ports[0].driver, "ftdi_sio");
  EXPECT_EQ(ports[0].latencyMs, 1);
  EXPECT_EQ(ports[1].driver, "pl2303");
  EXPECT_EQ(ports[1].latencyMs, -1);
}

TEST(LinkDiagnosis, TheAnalyzerFoundByDescriptionAndOpenableIsAllGood) {
  FakeSystem system;
  system.plug(0, {});
  const QList<LinkFinding> findings = system.diagnose();
  EXPECT_EQ(problems(findings), QStringList());
  EXPECT_EQ(system.port, system.dev(0));
  EXPECT_EQ(findingLine(findings[0]).left(9), "         ");
  EXPECT_TRUE(findings[0].text.contains("USB 0403:6001, \"Kalyx 5 Defib Tester Final\", made by FTDI, serial number FT0"));
  EXPECT_TRUE(findingLine(findings[1]).startsWith("ok       " + system.dev(0) + " presents"));
}

TEST(LinkDiagnosis, EachObstacleIsOneProblemLineThatSaysWhatToDo) {
  {
    FakeSystem system;  // nothing plugged in
    const QStringList found = problems(system.diagnose());
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].contains("connect the analyzer with its USB cable"));
    EXPECT_TRUE(system.port.isEmpty());
  }
  {
    FakeSystem system;  // an FTDI cable that shows no product string
    FakeSystem::Usb bare;
    bare.productString = QString();
    system.plug(0, bare);
    const QStringList found = problems(system.diagnose());
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].contains("start with --port " + system.dev(0)));
  }
  {
    FakeSystem system;  // the driver is not loaded
    FakeSystem::Usb noDriver;
    noDriver.portAppears = false;
    system.plug(0, noDriver);
    const QStringList found = problems(system.diagnose());
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].contains("sudo modprobe ftdi_sio"));
  }
  {
    FakeSystem system;  // the port belongs to another group, the latency timer is the default, and two programs interfere
    FakeSystem::Usb slow;
    slow.latency = 16;
    system.plug(0, slow);
    system.lockPort(0);
    system.run(412, "ModemManager");
    system.run(977, "brltty");
    system.run(1, "systemd");
    const QStringList found = problems(system.diagnose());
    ASSERT_EQ(found.size(), 4) << found.join('\n').toStdString();
    EXPECT_TRUE(found[0].startsWith("You may not open " + system.dev(0)));
    EXPECT_TRUE(found[0].contains("udev rule"));
    EXPECT_TRUE(found[0].contains("sudo usermod -aG"));
    EXPECT_TRUE(found[1].contains("latency timer of " + system.dev(0) + " is 16 ms"));
    EXPECT_TRUE(found[1].contains("/sys/bus/usb-serial/devices/ttyUSB0/latency_timer"));
    EXPECT_TRUE(found[2].startsWith("ModemManager is running"));
    EXPECT_TRUE(found[3].contains("sudo apt remove brltty"));
    for (const QString& line : found) EXPECT_FALSE(line.contains('\n'));
  }
}

TEST(LinkDiagnosis, ANamedPortIsUsedAsItIsAndChecked) {
  FakeSystem system;
  system.plug(0, {});
  const QList<LinkFinding> named = system.diagnose(system.dir.filePath("dev/ttyACM7"));
  EXPECT_EQ(system.port, system.dir.filePath("dev/ttyACM7"));
  const QStringList found = problems(named);
  ASSERT_EQ(found.size(), 1);
  EXPECT_TRUE(found[0].contains("does not exist"));
}
