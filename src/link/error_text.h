// Messages of the error numbers, the device's and the terminal's own.
#pragma once

#include <string>

namespace rx {

// The message of an error number; numbers without one show their digits.
std::string ErrorText(int number);

}  // namespace rx
