#include "shell/startup.h"

#include <algorithm>
#include <system_error>

#include "link/device_port.h"
#include "link/error_line.h"
#include "shell/settings.h"
#include "shell/version.h"
#include "shell/status_line.h"
#include "shell/text_target.h"
#include "shell/work_area.h"

namespace rx {

namespace {

// Every screen appears where the main menu page is.
void LayOutFrames(Form& f) {
  const Control& home = f.fraMenu[0];
  for (Control* frame : {&f.fraMenu[1], &f.fraMenu[2], &f.fraMenu[3], &f.fraMenu[4], &f.fraEdit[0],
                         &f.fraEdit[1], &f.fraHunter}) {
    frame->top = home.top;
    frame->left = home.left;
  }
  f.fraHunter2.top = f.fraHunter.top + f.fraHunter.height + 360;
  f.fraHunter2.left = f.fraHunter.left;
  f.fraYomikomi.top = f.fraMenu[4].top + f.fraMenu[4].height + 360;
  f.fraYomikomi.left = home.left;
  f.fraSend.top = f.fraYomikomi.top;
  f.fraSend.left = f.fraYomikomi.left;
  f.fraSettings.top = f.fraMenu[1].top + f.fraMenu[1].height + 360;
  f.fraSettings.left = f.fraMenu[1].left;
  f.fraDate.top = f.fraSettings.top;
  f.fraDate.left = f.fraSettings.left;
  f.fraCalc.top = f.fraSettings.top + 1665;
  f.fraCalc.left = f.fraSettings.left;
  f.fraFile.left = home.left;
}

// On a 1920-pixel screen at 175 % the keypad goes to the right edge.
void AdjustForWideScreen(Terminal& t) {
  Desktop& desktop = t.platform.desktop;
  int perPixel = desktop.TwipsPerPixelX();
  if (perPixel <= 0) return;
  t.form.wideScreen = desktop.ScreenWidthTwips() / perPixel == 1920 * 100 / 175;
  PlaceForInnerWidth(t.form, t.form.designWidth);  // the window opens in the scaled view
}

}  // namespace

void PlaceForInnerWidth(Form& f, int innerWidthTwips) {
  if (!f.wideScreen) return;
  // A window narrower than the panel clips it rather than push the keypad
  // over the menu.
  const int inner = std::max(innerWidthTwips, f.designWidth);
  f.fraKey.left = inner - f.fraKey.width - f.fraMenu[0].left;
  f.lblStatus[0].width = inner;
}

std::string WindowTitle() {
  return std::string(kMainTitle) + kVersionText;
}

bool Form_Load(Terminal& t, std::function<void()> refusalSeen) {
  Form& f = t.form;
  f.ZeroTime = "0.0000";

  if (!t.platform.instance.TryAcquire()) {
    t.platform.messages.Ask("既に起動中です。", MessageButtons::Ok, MessageIcon::Error,
                            [refusalSeen = std::move(refusalSeen)](MessageAnswer) {
                              if (refusalSeen) refusalSeen();
                            });
    return false;
  }

  f.DualAdd = ReadBooleanSetting(t, "DualAdd", false);
  f.SerialSend = ReadBooleanSetting(t, "SerialSend", false);
  ReadTextTarget(t);  // read again at each output; a mistyped value is noted now
  if (!f.SerialSend) {
    f.lblMenu[12].caption = "　３ ------";
    f.lblMenu[12].enabled = false;
  }
  f.ResizePending = false;
  f.caption = WindowTitle();

  FitToWorkArea(t);
  t.platform.desktop.SetWindowState(WindowState::Maximized);
  LayOutFrames(f);
  AdjustForWideScreen(t);

  const char* titles[10] = {"",           "コース内メモリ", "ＤＮＦメモリ", "１本目リザルト",
                            "２本目リザルト", "コース内メモリ", "リザルト",     "ファイル操作",
                            "ＲＸ－７１０送信", "ベスト出力"};
  for (int i = 1; i <= 9; ++i) f.MenuTitle[i] = titles[i];

  f.Screen = ScreenId::MainMenu;
  f.MenuItem = kFirstMenuItem;
  f.FuncItem = FuncItemId::Modify;
  f.ExpectReply = ReplyFamily::None;
  ClearError(t);
  f.InputLabel = nullptr;
  f.PortNo = ReadPortSetting(t);
  // The port's own properties (text input, a notification per arriving
  // character, reads that take everything, XON/XOFF) are fixed by the port
  // implementation and applied at every open; here it learns whom to tell.
  t.platform.port.SetReceiveHandler([&t](PortEvent event) { MSComm1_OnComm(t, event); });
  f.DebugMode = ReadBooleanSetting(t, "Debug", false);
  f.lstDebug.visible = f.DebugMode;
  f.BestFrame = ReadBooleanSetting(t, "BestFrame", true);
  f.PrintFrame = ReadBooleanSetting(t, "PrintFrame", true);
  UpdateStatusLine(t);

  std::error_code ignored;
  if (!std::filesystem::is_directory(t.dataDirectory, ignored))
    std::filesystem::create_directories(t.dataDirectory, ignored);
  return true;
}

}  // namespace rx
