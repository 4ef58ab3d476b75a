// Any bytes sent to the simulated analyzer: its command parser and upload
// handling must keep to their buffers.
#include "simulator/analyzermemory.h"
#include "simulator/simulatorengine.h"

namespace {
AnalyzerMemory memoryToServe() {
  AnalyzerMemory memory;
  for (const RecordKind* kind : kRecordKinds)
    for (int i = 0; i < 3; ++i) memory.records(*kind).append(QByteArray(kind->blockSize, char('a' + i)));
  memory.setCountsFromLists();
  return memory;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const AnalyzerMemory memory = memoryToServe();
  SimulatorEngine engine(memory);
  engine.receive(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  (void)engine.take(engine.available());
  return 0;
}
