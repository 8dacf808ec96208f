#pragma once
#include <QStringList>
#include <functional>

class QTextStream;

namespace tlw {

struct ApplyOptions;

// Sends a checked run to the printers and returns the exit code (the program
// passes SendToPrinters; tests may pass a stand-in).
using ApplySender = std::function<int(const ApplyOptions&, QTextStream& out, QTextStream& err)>;

// The whole program: parse, check, dry run or send. Returns the exit code (0
// success, 1 a job was not taken, 2 for every refusal or error).
int RunApply(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const ApplySender& send = {});

}  // namespace tlw
