#include "kalyx5-simulator/ptyserver.h"

#include "simulator/simulatorengine.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

int openMaster(QByteArray* slavePath) {
  const int fd = posix_openpt(O_RDWR | O_NOCTTY);
  if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) return -1;
  *slavePath = QByteArray(ptsname(fd));
  // Raw from the start, so nothing the program sends is echoed back to it.
  const int slave = open(slavePath->constData(), O_RDWR | O_NOCTTY);
  if (slave >= 0) {
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
      cfmakeraw(&tio);
      tcsetattr(slave, TCSANOW, &tio);
    }
    close(slave);
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  return fd;
}

// Sleeps until a program opens the terminal (or 100 ms pass). The master side
// has no event for that, but the slave's device node does: an inotify watch
// wakes the server at once, so the first command of every transfer is answered
// without delay. Without inotify it sleeps 20 ms.
void waitForClient(int openWatch) {
  if (openWatch < 0) {
    usleep(20000);
    return;
  }
  pollfd pfd{openWatch, POLLIN, 0};
  poll(&pfd, 1, 100);
  char events[4096];
  while (read(openWatch, events, sizeof events) > 0) {
  }
}
}  // namespace

int PtyServer::run() {
  QByteArray slavePath;
  const int master = openMaster(&slavePath);
  if (master < 0) {
    std::perror("kalyx5-simulator: cannot create a pseudo-terminal");
    return 1;
  }
  int openWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (openWatch >= 0 && inotify_add_watch(openWatch, slavePath.constData(), IN_OPEN) < 0) {
    close(openWatch);
    openWatch = -1;
  }
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  std::printf("%s\n", slavePath.constData());
  std::fflush(stdout);

  QByteArray pending;  // taken from the engine, not yet accepted by the terminal
  bool clientOpen = false;
  while (!stopRequested) {
    if (pending.isEmpty() && engine_.available() > 0) pending = engine_.take(engine_.available());
    pollfd pfd{master, short(POLLIN | (pending.isEmpty() ? 0 : POLLOUT)), 0};
    const int next = engine_.msUntilNextBlock();
    const int timeout = pending.isEmpty() ? (next < 0 ? 100 : qMin(next, 100)) : 100;
    if (poll(&pfd, 1, timeout) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    // What the program wrote before it closed the terminal is taken first: an
    // upload ends with the program closing the link right after its last block.
    if (pfd.revents & POLLIN) {
      char buffer[4096];
      ssize_t n;
      while ((n = read(master, buffer, sizeof buffer)) > 0) engine_.receive(QByteArray(buffer, int(n)));
    }
    if (pfd.revents & POLLHUP) {
      // No program has the terminal open: whatever was queued for the last one is dropped.
      if (clientOpen) {
        engine_.clearOutput();
        pending.clear();
        tcflush(master, TCOFLUSH);  // not input: a new client may already have written
        clientOpen = false;
      }
      waitForClient(openWatch);
      continue;
    }
    clientOpen = true;
    if ((pfd.revents & POLLOUT) && !pending.isEmpty()) {
      const ssize_t n = write(master, pending.constData(), size_t(pending.size()));
      if (n > 0) pending.remove(0, n);
    }
  }
  if (openWatch >= 0) close(openWatch);
  close(master);
  return 0;
}
