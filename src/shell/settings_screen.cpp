#include "shell/settings_screen.h"

#include "shell/guide_texts.h"
#include "console/navigation.h"
#include "console/row_selection.h"
#include "shell/settings.h"
#include "shell/status_line.h"

namespace rx {

void OpenSettingsScreen(Terminal& t) {
  Form& f = t.form;
  f.Screen = ScreenId::Settings;
  SelectRow(f, 0);
  ShowOnOff(f, f.BestFrame ? OnOff::BestOn : OnOff::BestOff);
  ShowOnOff(f, f.PrintFrame ? OnOff::PrintOn : OnOff::PrintOff);
  f.fraSettings.visible = true;
  f.lblCap[Keys::Left].caption = "←";
  f.lblCap[Keys::Right].caption = "→";
  f.lblGuide.caption = guide::kSettings;
}

void SaveSettingsScreen(Terminal& t) {
  Form& f = t.form;
  f.BestFrame = f.OnOffChosen[OnOff::BestOn / 2];
  f.PrintFrame = f.OnOffChosen[OnOff::PrintOn / 2];
  WriteSetting(t, "BestFrame", BooleanText(f.BestFrame));
  WriteSetting(t, "PrintFrame", BooleanText(f.PrintFrame));
  UpdateStatusLine(t);
  GoBack(t);
}

}  // namespace rx
