// What stands at a path, in the words the operator is told: a file is read
// only when it is a regular one, and written only where nothing or a regular
// file stands.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace rx {

// "a directory", "a FIFO", "a character device", ... for what is no regular file.
std::string KindOf(mode_t mode);

// What stands at path that a written file must not replace: "" when nothing
// or a regular file (after links) is there.
std::string Occupant(const std::filesystem::path& path);

}  // namespace rx
