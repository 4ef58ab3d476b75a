#pragma once
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A real file system that is full: a small tmpfs mounted on a temporary folder
// for one test. Files can be put there first; fill() then takes every free
// block, so that the next write fails as it does on a full disk; or
// makeReadOnly() lets nothing be written at all. Mounting needs
// root (CI runs as root); elsewhere the test using it is skipped.
class FullDisk {
 public:
  explicit FullDisk(int kilobytes = 64) {
    QProcess mount;
    mount.start(QStringLiteral("mount"),
                {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kilobytes), "kalyx-full", dir_.path()});
    mounted_ = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
  }
  ~FullDisk() {
    if (!mounted_) return;
    QProcess umount;
    umount.start(QStringLiteral("umount"), {dir_.path()});
    umount.waitForFinished(10000);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  bool mounted() const { return mounted_; }
  QString path() const { return dir_.path(); }
  QString filePath(const QString& name) const { return dir_.filePath(name); }

  // Writes a filler file until the file system refuses another byte.
  void fill() {
    QFile filler(dir_.filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray chunk(1024, 'f');
    while (filler.write(chunk) == chunk.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
  }

  // Mounts the file system again read-only: nothing in it can be written, by
  // root neither, as on a read-only share or medium.
  bool makeReadOnly() {
    QProcess mount;
    mount.start(QStringLiteral("mount"), {"-o", "remount,ro", dir_.path()});
    return mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
  }

  // The names in the folder other than the filler, so a test sees any file left behind.
  QStringList entries() const {
    QStringList names = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    names.removeAll(QStringLiteral(".filler"));
    return names;
  }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
};

#define KALYX_REQUIRE_FULL_DISK(disk) \
  if (!(disk).mounted()) GTEST_SKIP() << "mounting a tmpfs needs root; run as root to test a full disk"
