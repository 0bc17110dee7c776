// The terminal as one object: the window's state and controls, the platform
// services it works through, and where its data files live. Every procedure
// of the logic takes it as its first argument.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/beeper.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/message_box.h"
#include "platform/page_printer.h"
#include "platform/power_off.h"
#include "platform/program_launcher.h"
#include "platform/serial_port.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "data/line_file.h"
#include "link/job_state.h"
#include "shell/form.h"

namespace rx {

struct Platform {
  SettingsStore& settings;
  Clock& clock;
  MessageBox& messages;
  Beeper& beeper;
  EventLoop& events;
  Desktop& desktop;
  SingleInstance& instance;
  SerialPort& port;
  PagePrinter& printer;  // the text output on a printer or in a PDF
  ProgramLauncher& launcher;
  PowerOff& power;
};

inline constexpr const char* kApplication = "TARVO Application";
inline constexpr const char* kSection = "RX-710KP";

struct Terminal {
  Terminal(Platform services, std::filesystem::path data)
      : platform(services), dataDirectory(std::move(data)) {}

  Form form;
  Platform platform;
  std::filesystem::path dataDirectory;  // the directory of the data files
  LineFile dataFile;                      // the one open data file, if any
  LinkJobs link;                          // the link's long jobs under way
  bool settingsFaultReported = false;     // a settings store that cannot be written, told once
  bool closeAsked = false;                // the close question is open
  bool portAccessTold = false;            // a port this user may not open, explained once
};

}  // namespace rx
