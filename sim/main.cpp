// zelvan-sim: a Zelvan switcher on the wire (TCP, UDP, pseudo-terminal) for
// running, demonstrating and testing the remote control without hardware.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "sim/sim_hub.h"
#include "sim/sim_options.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
  const char b = 1;
  [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &b, 1);
}

// SIGINT and SIGTERM end the event loop so the transcript and the
// pseudo-terminal are closed properly.
void quitOnSignals(QCoreApplication& app) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
    char b;
    [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &b, 1);
    app.quit();
  });
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zelvan-sim"));

  zsim::SimSettings settings;
  QString message;
  switch (zsim::parseSimArguments(app.arguments(), settings, &message)) {
    case zsim::ParseOutcome::Help:
      std::fputs(message.toLocal8Bit().constData(), stdout);
      return 0;
    case zsim::ParseOutcome::Error:
      std::fprintf(stderr, "zelvan-sim: %s\nTry zelvan-sim --help.\n", message.toLocal8Bit().constData());
      return 2;
    case zsim::ParseOutcome::Run:
      break;
  }

  zsim::SimHub hub(settings);
  QString error;
  if (!hub.start(&error)) {
    std::fprintf(stderr, "zelvan-sim: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  quitOnSignals(app);
  for (const QString& line : hub.readinessLines()) std::printf("%s\n", line.toLocal8Bit().constData());
  std::fflush(stdout);
  return app.exec();
}
