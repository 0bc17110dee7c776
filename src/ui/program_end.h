// How the program ends: SIGTERM (kill, the task manager), SIGINT (Ctrl+C in
// the terminal that started it), SIGHUP (that terminal going away) and the
// desktop's logout close the window as the system does, without questions
// and whatever box is open; the program quits once the unload is over (the
// device told to stop, the port drained and closed), not when the window
// disappears; an event loop that ends any other way still unloads, at once.
#pragma once

#include <functional>

class QApplication;
class QObject;

namespace rx {

class frmMain;

// Takes the signals from now on, so none that comes while the program starts
// is lost: they wait for the event loop and the window. First thing in main().
bool CatchTerminationSignals();

void InstallProgramEnd(QApplication& app, frmMain& window);

// The same signals run ended (on the event loop, never inside the handler)
// for as long as context lives; a later call takes their place.
void OnTerminationSignals(QObject* context, std::function<void()> ended);
// The same, told which signal came first (SIGTERM, SIGINT or SIGHUP).
void OnTerminationSignals(QObject* context, std::function<void(int signal)> ended);

}  // namespace rx
