#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>

// kalyx5-simulator on a new pseudo-terminal, for the serial link end to end; the
// terminal's path is empty when it did not start.
class SimulatorProcess {
 public:
  explicit SimulatorProcess(const QStringList& arguments = {}) {
    process_.start(QStringLiteral(KALYX_BINARY_DIR "/tools/kalyx5-simulator/kalyx5-simulator"), arguments);
    if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000))
      path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  }
  ~SimulatorProcess() {
    process_.terminate();
    if (!process_.waitForFinished(3000)) process_.kill();
  }
  SimulatorProcess(const SimulatorProcess&) = delete;
  SimulatorProcess& operator=(const SimulatorProcess&) = delete;

  const QString& path() const { return path_; }
  void kill() { process_.kill(); }

 private:
  QProcess process_;
  QString path_;
};
