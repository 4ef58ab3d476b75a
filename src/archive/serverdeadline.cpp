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

QFunctionPointer clientLibraryFunction(const char* name) {
  // The PostgreSQL client library that Qt's driver loaded.
#ifdef Q_OS_WIN
  return QLibrary::resolve(QStringLiteral("libpq"), name);
#else
  return QLibrary::resolve(QStringLiteral("pq"), 5, name);
#endif
}

const void* departmentConnection(const QSqlDatabase& db) {
  const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
  const QByteArray type = handle.typeName();
  if (!handle.isValid() || (type != "PGconn*" && type != "pg_conn*")) return nullptr;
  return *static_cast<void* const*>(handle.data());
}

qintptr departmentSocket(const QSqlDatabase& db) {
  using SocketOf = int (*)(const void*);
  static const auto socketOf = reinterpret_cast<SocketOf>(clientLibraryFunction("PQsocket"));
  const void* connection = departmentConnection(db);
  return socketOf && connection ? socketOf(connection) : -1;
}

ServerDeadline::ServerDeadline(const QSqlDatabase& db, std::chrono::milliseconds bound, const std::atomic<bool>* cancel)
    : bound_(bound), until_((std::chrono::steady_clock::now() + bound).time_since_epoch().count()) {
  const qintptr socket = departmentSocket(db);
  if (socket < 0) return;
  watcher_ = std::thread([this, socket, cancel] {
    std::unique_lock lock(mutex_);
    while (!finished_) {
      const std::chrono::steady_clock::time_point until{std::chrono::steady_clock::duration(until_.load())};
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

void ServerDeadline::renew() { until_ = (std::chrono::steady_clock::now() + bound_).time_since_epoch().count(); }

ServerDeadline::~ServerDeadline() {
  if (!watcher_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  done_.notify_all();
  watcher_.join();
}
