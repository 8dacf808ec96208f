// printer-sim: a simulated label printer for demos and end-to-end tests.

#include "sim_options.h"
#include "sim_server.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

// Signals reach the event loop through a socket pair: the handler only writes
// the signal number, the loop does the work.
int signalPipe[2] = {-1, -1};

void onSignal(int sig) {
  const char byte = static_cast<char>(sig);
  const ssize_t n = ::write(signalPipe[0], &byte, 1);
  (void)n;
}

void installHandler(int sig) {
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(sig, &sa, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("printer-sim"));

  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  tlw::sim::SimOptions options;
  QString error;
  if (!tlw::sim::parseOptions(args, &options, &error)) {
    std::fprintf(stderr, "printer-sim: %s\n%s", error.toLocal8Bit().constData(),
                 tlw::sim::usageText().toLocal8Bit().constData());
    return 2;
  }
  if (options.help) {
    std::fputs(tlw::sim::usageText().toLocal8Bit().constData(), stdout);
    return 0;
  }

  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
    std::perror("printer-sim: socketpair");
    return 1;
  }
  tlw::sim::SimServer server(options);
  QSocketNotifier notifier(signalPipe[1], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&server]() {
    char sig = 0;
    if (::read(signalPipe[1], &sig, 1) != 1) return;
    if (sig == SIGUSR1) {
      QString err;
      if (!server.setStalled(!server.stalled(), &err))
        std::fprintf(stderr, "printer-sim: %s\n", err.toLocal8Bit().constData());
      return;
    }
    QCoreApplication::quit();
  });
  installHandler(SIGTERM);
  installHandler(SIGINT);
  installHandler(SIGUSR1);
  std::signal(SIGPIPE, SIG_IGN);

  if (!server.start(&error)) {
    std::fprintf(stderr, "printer-sim: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%u\n", static_cast<unsigned>(server.port()));
  std::fflush(stdout);

  const int rc = QCoreApplication::exec();
  std::fprintf(stderr, "printer-sim: stopped after %ld jobs\n", server.state().jobs);
  return rc;
}
