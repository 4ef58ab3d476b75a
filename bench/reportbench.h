#pragma once
#include "demosession/demosession.h"
#include "testreport/testrecord.h"

#include <QList>
#include <QTemporaryDir>

// The test report benchmarks' common ground: `count` test reports such as an
// analyzer holds (the demo's samples over and over, each with its own device
// I.D.), and the services a viewer needs in a scratch folder of its own.

QList<TTestRec> benchReports(int count);
QList<int> benchIndexes(int count);

// The scratch folder first, so that it exists before the session that uses it.
struct ScratchFolder {
  QTemporaryDir scratch;
};

struct BenchServices : ScratchFolder, DemoSession {
  BenchServices() : DemoSession(scratch.path()) {}
};

// The offscreen platform when there is no display, and quiet about its window hints.
void prepareWidgetBench();
