// The command table: the body each request sends (layout in frames.h).
#pragma once

#include <optional>
#include <string>

#include "link/frames.h"
#include "link/requests.h"

namespace rx {

// The read command of a request; nothing for a memory without such a read
// (one record of the DNF memory).
std::optional<std::string> BuildReadCommand(const ReadRequest& request);

// The change of one record; nothing where the memory has no such command.
// Relay results go as a burst (below).
std::optional<std::string> BuildEditCommand(const EditRequest& request);

// Relay results, written as a burst: the legs (1 ...), the total, the end.
std::string RelayLegCommand(int leg, const std::string& team, const std::string& timeField);
std::string RelayTotalCommand(const std::string& team, const std::string& timeField);
std::string RelayDeleteCommand(const std::string& team);

// The print request repeats the accepted change under the "CP" family.
std::string PrintCommand(const std::string& acceptedBody);
// Best-time output of the result group of a change.
std::string BestOutputCommand(const std::string& editBody);
// A dual-course add is printed as an ordinary add to the course memory.
std::string AsCourseAdd(const std::string& dualAddBody);

// The load command of a data file's record line (the head: LoadHeadOf the
// file's first letter). A relay team's leg letter is the caller's to set.
FrameBody LoadBody(const LoadHead& head, std::string_view recordLine);

std::string FixedCommand(const std::string& family);  // family + 18 blanks
inline std::string BestOutputAllCommand() { return FixedCommand("CB"); }
inline std::string StopReadCommand() { return FixedCommand("CS"); }
inline std::string EndOfBurstCommand() { return FixedCommand("CF"); }

}  // namespace rx
