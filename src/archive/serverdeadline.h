#pragma once
#include <QSqlDatabase>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A bound on one operation with the department's server, kept by this
// computer: PostgreSQL's own time-outs end a slow statement, but not a server
// that holds the connection and stops answering (stopped, or cut off behind a
// network that still answers for it), on which a read would wait for ever.
// When the bound passes, or `cancel` is set (the program is closing), the
// connection's socket is shut down, so that the waiting call fails at once;
// the connection is then broken and is opened again at its next use.
class ServerDeadline {
 public:
  ServerDeadline(const QSqlDatabase& db, std::chrono::milliseconds bound, const std::atomic<bool>* cancel = nullptr);
  ~ServerDeadline();
  ServerDeadline(const ServerDeadline&) = delete;
  ServerDeadline& operator=(const ServerDeadline&) = delete;

  // The bound starts again: a long read that keeps receiving rows is not cut.
  void renew();
  // Whether the bound passed (or the operation was cancelled) and the connection was cut.
  bool cut() const { return cut_; }
  bool cancelled() const { return cancelled_; }
  std::chrono::milliseconds bound() const { return bound_; }

 private:
  std::chrono::milliseconds bound_;
  std::atomic<std::chrono::steady_clock::rep> until_;  // when the bound passes, in steady clock ticks
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::atomic<bool> cut_ = false;
  std::atomic<bool> cancelled_ = false;
  std::thread watcher_;
};

// A function of the PostgreSQL client library that Qt's driver loaded; null
// where it cannot be found.
QFunctionPointer clientLibraryFunction(const char* name);
// The client library's handle of a department connection; null for another driver.
const void* departmentConnection(const QSqlDatabase& db);
// The socket of a department connection; -1 where it cannot be told.
qintptr departmentSocket(const QSqlDatabase& db);
