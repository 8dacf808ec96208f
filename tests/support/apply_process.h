#pragma once
#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

namespace tlw::test {

// What a run of the built tenlark-apply printed and how it ended.
struct ApplyResult {
  int exitCode = -1;  // -1: crashed or timed out
  QByteArray out, err;
};

// Runs the built tenlark-apply with `args` in `env`. `onLine` sees every line of
// standard output as it arrives, so a test can disturb the run at a known point
// (after a given status line). Ends the program after `timeoutMs`.
ApplyResult RunApply(const QStringList& args,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                     const std::function<void(const QByteArray& line)>& onLine = {},
                     int timeoutMs = 240000);

}  // namespace tlw::test
