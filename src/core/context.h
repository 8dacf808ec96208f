#pragma once
#include "core/debug_log.h"
#include "core/state.h"

#include <memory>

namespace tlw {

class Spooler;
class Clock;
class Prompts;
class ProcessLauncher;
class RegistryHive;
class UdpChannel;
class WizardSettings;
class Navigator;
class NetworkStatus;

// The platform services the logic talks to. The wizard and tenlark-apply fill
// these with the real adapters; tests fill them with doubles. Not owned here.
struct Services {
  Spooler* spooler = nullptr;
  Clock* clock = nullptr;
  Prompts* prompts = nullptr;
  ProcessLauncher* processes = nullptr;
  RegistryHive* machineRegistry = nullptr;  // HKEY_LOCAL_MACHINE
  UdpChannel* udp = nullptr;
};

// Everything one run of the wizard (or one queue of tenlark-apply) shares:
// the options, the printer choice, the run request, the session flags, the debug
// log, the settings and the services.
struct AppContext {
  StartupOptions options;
  PrinterChoice printer;
  RunRequest request;
  SessionFlags session;
  DebugLog log;
  Services services;
  WizardSettings* settings = nullptr;  // owned by whoever creates the context
  Navigator* navigator = nullptr;      // the windows (or tenlark-apply's stand-in)
  QString programFolder;               // folder of the program file
  // Set once ExitWizard has started closing the program; a run that is waiting
  // checks it and stops, and a second ExitWizard does nothing.
  bool exitStarted = false;
  // SNMP state of the run (send buffer, last reply); made on first use.
  std::shared_ptr<NetworkStatus> networkStatus;
};

}  // namespace tlw
