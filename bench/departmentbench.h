#pragma once
#include "archive/archive.h"
#include "archive/departmentserver.h"

#include <QSqlDatabase>
#include <memory>

class PostgresServer;

// The department benchmarks' common ground: a PostgreSQL server of their own
// (started as the tests start theirs) with the department's archive set up,
// and an administrator's connection to it for the bare baselines.
struct DepartmentBench {
  DepartmentBench();
  ~DepartmentBench();
  bool ready() const { return ready_; }

  std::unique_ptr<PostgresServer> server;
  DepartmentServer sender;  // a technician's login (kalyx5pc_send)
  QSqlDatabase admin;       // the administrator, on the server's socket

 private:
  bool ready_ = false;
};

// Fills the server on its own side with kLargeReports reports of kLargeDevices
// devices: report n is sample n % 12 as device "DEV-<n % kLargeDevices>",
// tested a week after that device's test before. Says how long it took, or
// notes the failure.
bool fillLargeDepartment(QSqlDatabase& db);
