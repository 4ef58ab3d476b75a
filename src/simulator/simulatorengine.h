#pragma once
#include "simulator/analyzermemory.h"

#include <QByteArrayList>
#include <QElapsedTimer>
#include <QList>

// The analyzer's side of the protocol: takes the bytes the program sends,
// answers "GS", "GA", "GT", "GW" and "WD" from its memory, and stores the
// autosequences of a "PA" upload. Its answers queue up as blocks that become
// readable when their delivery time has come.
//
// Fault controls let tests make it misbehave: stop sending after a number of
// bytes, send extra bytes after an answer, and space its blocks out in time.
class SimulatorEngine {
 public:
  explicit SimulatorEngine(AnalyzerMemory memory);

  void receive(const QByteArray& bytes);
  qsizetype available() const;      // bytes readable now
  QByteArray take(qsizetype count); // removes up to `count` readable bytes
  void clearOutput();               // a fresh link starts with nothing queued
  int msUntilNextBlock() const;     // -1 when nothing more is scheduled

  AnalyzerMemory& memory() { return memory_; }
  const AnalyzerMemory& memory() const { return memory_; }

  void setStallAfter(qint64 bytes) { stallAfter_ = bytes; }  // -1: never stall
  void setTrailingBytes(const QByteArray& bytes) { trailing_ = bytes; }
  void setBlockDelay(int ms) { blockDelayMs_ = ms; }

  qint64 bytesSent() const { return bytesSent_; }
  const QByteArrayList& commands() const { return commands_; }
  int uploads() const { return uploads_; }

 private:
  struct Block {
    QByteArray data;
    qint64 readyAtMs;
  };
  void handleCommand(const QByteArray& letters);
  void queueAnswer(const QList<QByteArray>& blocks);
  void takeUploadBytes();

  AnalyzerMemory memory_;
  QElapsedTimer clock_;
  QList<Block> output_;
  qsizetype headOffset_ = 0;  // bytes of output_.front() already taken
  QByteArray input_;
  bool uploading_ = false;

  qint64 stallAfter_ = -1;
  QByteArray trailing_;
  int blockDelayMs_ = 0;

  qint64 bytesSent_ = 0;
  QByteArrayList commands_;
  int uploads_ = 0;
  qsizetype captures_ = 0;  // captures answered so far: the next one sends the next block
};
