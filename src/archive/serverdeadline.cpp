#include "archive/serverdeadline.h"

#include <QLibrary>
#include <QSqlDriver>
#include <QVariant>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace {
constexpr auto kCancelCheck = std::chrono::milliseconds(50);

void shutDown(qintptr socket) {
#ifdef Q_OS_WIN
  ::shutdown(SOCKET(socket), SD_BOTH);
#else
  ::shutdown(int(socket), SHUT_RDWR);
#endif
}
}  // namespace

qintptr departmentSocket(const QSqlDatabase& db) {
  // The PostgreSQL client library that Qt's driver loaded tells its connection's socket.
  using SocketOf = int (*)(const void*);
  static const auto socketOf = reinterpret_cast<SocketOf>(
#ifdef Q_OS_WIN
      QLibrary::resolve(QStringLiteral("libpq"), "PQsocket")
#else
      QLibrary::resolve(QStringLiteral("pq"), 5, "PQsocket")
#endif
  );
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  const QByteArray type = handle.typeName();
  if (!socketOf || !handle.isValid() || (type != "PGconn*" && type != "pg_conn*")) return -1;
  const void* connection = *static_cast<void* const*>(handle.data());
  return connection ? socketOf(connection) : -1;
}

ServerDeadline::ServerDeadline(const QSqlDatabase& db, std::chrono::milliseconds bound, const std::atomic<bool>* cancel)
    : bound_(bound) {
  const qintptr socket = departmentSocket(db);
  if (socket < 0) return;
  watcher_ = std::thread([this, socket, bound, cancel] {
    const auto until = std::chrono::steady_clock::now() + bound;
    std::unique_lock lock(mutex_);
    while (!finished_) {
      if (cancel && *cancel) cancelled_ = true;
      if (cancelled_ || std::chrono::steady_clock::now() >= until) {
        cut_ = true;
        shutDown(socket);
        return;
      }
      done_.wait_for(lock, std::min<std::chrono::steady_clock::duration>(kCancelCheck, until - std::chrono::steady_clock::now()));
    }
  });
}

ServerDeadline::~ServerDeadline() {
  if (!watcher_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  done_.notify_all();
  watcher_.join();
}
