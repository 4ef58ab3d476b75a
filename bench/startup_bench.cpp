// Start to first window: `kalyx5pc --demo` from its start until its main window
// is mapped on the X display, against a bare Qt Widgets main window (menu, three
// tabs, a table), in the same run. This program is the X client that waits for
// the map: it watches the root window for MapNotify. Needs a display (Xvfb).

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

namespace {
// Events of the windows of the previous run are dropped.
void drainEvents(xcb_connection_t* x) {
  while (xcb_generic_event_t* event = xcb_poll_for_event(x)) std::free(event);
}

// Starts the program and returns the milliseconds until one of its windows is
// mapped, or -1 after 20 s or when it ended first.
double msUntilMapped(xcb_connection_t* x, const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment) {
  drainEvents(x);
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QElapsedTimer clock;
  clock.start();
  process.start(program, arguments);
  double mapped = -1;
  while (mapped < 0 && clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
    pollfd pfd{xcb_get_file_descriptor(x), POLLIN, 0};
    poll(&pfd, 1, 50);
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY && mapped < 0) mapped = clock.nsecsElapsed() / 1e6;
      std::free(event);
    }
    process.waitForFinished(0);
  }
  process.kill();
  process.waitForFinished();
  return mapped;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "startup_bench: no X display (set DISPLAY, for example under Xvfb)\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  // A fresh home for both, so neither reads a user's settings; the same home
  // every run, as a technician's program finds its settings on every start.
  QTemporaryDir home;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
    environment.insert(QString::fromLatin1(variable), home.path());
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));

  constexpr int kRounds = 9;
  std::printf("start until the main window is mapped: kalyx5pc --demo vs a bare Qt main window, median of %d rounds\n",
              kRounds);
  auto timed = [&](const char* program, const QStringList& arguments) {
    return [&, program, arguments] {
      const double ms = msUntilMapped(x, QString::fromLatin1(program), arguments, environment);
      if (ms < 0) noteFailure(QStringLiteral("%1 mapped no window").arg(QLatin1String(program)));
      return ms;
    };
  };
  const Medians m =
      alternate(kRounds, timed(KALYX5PC, {QStringLiteral("--demo")}), timed(BARE_WINDOW, {}));
  printRow(QStringLiteral("first window"), m);
  printRatio(m);
  xcb_disconnect(x);
  return benchExitCode();
}
