// A device file this user may not open. The window shows error 1002 as for
// any port that does not open, and once per run also says what is wrong and
// what to do; --list-ports shows every port's device file and its access.
#pragma once

#include <functional>
#include <string>

#include "platform/device_file.h"
#include "shell/terminal.h"

namespace rx {

// The account the remedy names: the real user id's login name, else its
// number; never the environment's say.
std::string LoginName();

// The explanation, in Japanese: the device file, that this account lacks the
// right to use it, and the remedy (join dialout, log in again).
std::string PortAccessText(const std::string& device, const std::string& user);

// After error 1002: when device is not empty (an open was refused for want of
// the right), tells the operator in a notice and on stderr, once per run.
void TellPortAccess(Terminal& t, const std::string& device);

// The listing of --list-ports: ports 1-16 and portNo, each with its device
// file, whether it exists and is a serial device (else what it is), whether
// user may read and write it (why not, what to do) and the by-id names
// leading to it; portNo marked.
std::string ListPorts(int portNo, const std::string& pathTemplate, const std::string& user,
                      const std::function<DeviceFile(const std::string&)>& inspect);

}  // namespace rx
