// A file the command line makes (a CSV table), put in place only whole: the
// bytes go to a temporary file beside it, are synced, and then renamed over
// the name, so a failure or a signal leaves nothing half-written under it.
// Nothing is replaced that is not a regular file, nor any of the inputs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rx {

// False and why when path may not be written or the writing failed; then
// nothing at path has changed.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes,
                    const std::vector<std::filesystem::path>& inputs, std::string* reason);

}  // namespace rx
