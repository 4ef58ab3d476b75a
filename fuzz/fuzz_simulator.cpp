// Any bytes sent to the simulated analyzer: its command parser and upload
// handling must keep to their buffers.
#include "samplememory.h"
#include "simulatorengine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const AnalyzerMemory memory = sampleAnalyzerMemory();
  SimulatorEngine engine(memory);
  engine.receive(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  (void)engine.take(engine.available());
  return 0;
}
