#include "shell/startup.h"

#include <algorithm>
#include <system_error>

#include "data/memories.h"
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
  const Control& home = f.fraMenu[MenuFrame::Main];
  auto atHome = [&home](Control& frame) {
    frame.top = home.top;
    frame.left = home.left;
  };
  for (Control& page : f.fraMenu) atHome(page);
  for (Control& edit : f.fraEdit) atHome(edit);
  atHome(f.fraHunter);
  f.fraHunter2.top = f.fraHunter.top + f.fraHunter.height + 360;
  f.fraHunter2.left = f.fraHunter.left;
  f.fraYomikomi.top = f.fraMenu[MenuFrame::Range].top + f.fraMenu[MenuFrame::Range].height + 360;
  f.fraYomikomi.left = home.left;
  f.fraSend.top = f.fraYomikomi.top;
  f.fraSend.left = f.fraYomikomi.left;
  f.fraSettings.top = f.fraMenu[MenuFrame::Sub].top + f.fraMenu[MenuFrame::Sub].height + 360;
  f.fraSettings.left = f.fraMenu[MenuFrame::Sub].left;
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
  f.fraKey.left = inner - f.fraKey.width - f.fraMenu[MenuFrame::Main].left;
  f.lblStatus[StatusPart::Date].width = inner;
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
    f.lblMenu[Index(MenuItemId::SerialSend)].caption = "　３ ------";
    f.lblMenu[Index(MenuItemId::SerialSend)].enabled = false;
  }
  f.ResizePending = false;
  f.caption = WindowTitle();

  FitToWorkArea(t);
  t.platform.desktop.SetWindowState(WindowState::Maximized);
  LayOutFrames(f);
  AdjustForWideScreen(t);

  for (const MemoryRow& memory : kMemories) f.MenuTitle[Index(memory.item)] = memory.title;
  f.MenuTitle[Index(MenuItemId::FileOperations)] = "ファイル操作";
  f.MenuTitle[Index(MenuItemId::SendToDevice)] = "ＲＸ－７１０送信";
  f.MenuTitle[Index(MenuItemId::BestOutput)] = "ベスト出力";

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
