// How the program ends: SIGTERM (the task manager, kill) and the desktop's
// logout close the window as the system does, without questions; the
// program quits once the unload is over (the port drained and closed), not
// when the window disappears; an event loop that ends any other way still
// unloads, at once.
#pragma once

class QApplication;

namespace rx {

class frmMain;

void InstallProgramEnd(QApplication& app, frmMain& window);

}  // namespace rx
