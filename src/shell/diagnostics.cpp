#include "shell/diagnostics.h"

#include <cstdio>

namespace rx {

void ReportFault(Terminal& t, const std::string& text) {
  std::fprintf(stderr, "rx710kp: %s\n", text.c_str());
  t.form.lstDebug.items.push_back("! " + text);
  t.form.lstDebug.items.KeepNewest(kTrafficListLines);
}

}  // namespace rx
