#include "simulator/simulatorengine.h"

#include <algorithm>

namespace {
QList<QByteArray> firstRecords(const QList<QByteArray>& records, int count) {
  return records.mid(0, std::min<qsizetype>(count, records.size()));
}
}  // namespace

SimulatorEngine::SimulatorEngine(AnalyzerMemory memory) : memory_(std::move(memory)) { clock_.start(); }

void SimulatorEngine::receive(const QByteArray& bytes) {
  input_.append(bytes);
  while (!input_.isEmpty()) {
    if (uploading_) {
      takeUploadBytes();
      if (uploading_) return;
      continue;
    }
    // A command frame is two letters and a carriage return; anything else is skipped byte by byte.
    const qsizetype cr = input_.indexOf('\r');
    if (cr < 0) {
      if (input_.size() > 2) input_.remove(0, input_.size() - 2);
      return;
    }
    const QByteArray frame = input_.left(cr);
    input_.remove(0, cr + 1);
    if (frame.size() >= 2) handleCommand(frame.right(2));
  }
}

void SimulatorEngine::handleCommand(const QByteArray& letters) {
  commands_.append(letters);
  if (letters == kSystemInfoCommand) queueAnswer({memory_.systemInfo.bytes()});
  else if (letters == kCaptureCommand && !memory_.captures.isEmpty())
    queueAnswer({memory_.captures[captures_++ % memory_.captures.size()]});
  else if (letters == kUploadCommand) uploading_ = true;
  for (const RecordKind* kind : kRecordKinds)
    if (letters == kind->letters) queueAnswer(firstRecords(memory_.records(*kind), memory_.systemInfo.count(*kind)));
}

// An upload is one count byte followed by that many autosequences.
void SimulatorEngine::takeUploadBytes() {
  const int n = quint8(input_[0]);
  const qsizetype size = kAutoSeqRecords.blockSize;
  const qsizetype needed = 1 + n * size;
  if (input_.size() < needed) return;
  memory_.autoSeqs.clear();
  for (int i = 0; i < n; ++i) memory_.autoSeqs.append(input_.mid(1 + i * size, size));
  memory_.systemInfo.setCount(kAutoSeqRecords, n);
  input_.remove(0, needed);
  uploading_ = false;
  ++uploads_;
}

void SimulatorEngine::queueAnswer(const QList<QByteArray>& blocks) {
  qint64 at = clock_.elapsed();
  if (!output_.isEmpty()) at = std::max(at, output_.last().readyAtMs);
  for (const QByteArray& block : blocks) {
    at += blockDelayMs_;
    output_.append({block, at});
  }
  if (!trailing_.isEmpty()) output_.append({trailing_, at});
}

qsizetype SimulatorEngine::available() const {
  const qint64 now = clock_.elapsed();
  qsizetype ready = 0;
  for (const Block& block : output_) {
    if (block.readyAtMs > now) break;
    ready += block.data.size();
  }
  ready -= headOffset_;
  if (stallAfter_ >= 0) ready = std::min<qsizetype>(ready, std::max<qint64>(0, stallAfter_ - bytesSent_));
  return ready;
}

QByteArray SimulatorEngine::take(qsizetype count) {
  QByteArray out;
  count = std::min(count, available());
  while (count > 0 && !output_.isEmpty()) {
    const QByteArray& head = output_.front().data;
    const qsizetype n = std::min(count, head.size() - headOffset_);
    out.append(head.constData() + headOffset_, n);
    headOffset_ += n;
    count -= n;
    if (headOffset_ == head.size()) {
      output_.removeFirst();
      headOffset_ = 0;
    }
  }
  bytesSent_ += out.size();
  return out;
}

void SimulatorEngine::clearOutput() {
  output_.clear();
  headOffset_ = 0;
  input_.clear();
  uploading_ = false;
}

int SimulatorEngine::msUntilNextBlock() const {
  if (output_.isEmpty()) return -1;
  const qint64 now = clock_.elapsed();
  for (const Block& block : output_)
    if (block.readyAtMs > now) return int(block.readyAtMs - now);
  return 0;
}
