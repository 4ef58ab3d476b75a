#pragma once
#include <QString>

class SimulatorEngine;

// Serves a simulated analyzer on a new pseudo-terminal until stopped by a signal.
// The terminal's path is written to standard output on the first line.
class PtyServer {
 public:
  explicit PtyServer(SimulatorEngine& engine) : engine_(engine) {}
  // Returns the process exit status.
  int run();

 private:
  SimulatorEngine& engine_;
};
