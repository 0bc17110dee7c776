// The main window as the logic sees it: every state variable it keeps between
// two events, and a plain model of every control it shows. The Qt window only
// renders this; nothing here knows about Qt.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rx {

// Colours as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kLightGrey = 0xE0E0E0;   // RGB 224, 224, 224
inline constexpr Rgb kButtonFace = 0xF0F0F0;  // the system's button-face colour

enum class ControlKind { Frame, Label, List };
enum class Align { Left, Center };

struct Control {
  std::string name;  // "lblMenu(3)", for debugging and the window's lookup
  ControlKind kind = ControlKind::Label;
  Control* parent = nullptr;  // containing frame; none for the window itself
  std::string caption;
  bool visible = true;
  bool enabled = true;
  bool bold = false;
  Rgb back = kButtonFace;
  Rgb fore = kBlack;
  int left = 0, top = 0, width = 0, height = 0;  // twips, relative to parent
  Align align = Align::Left;
  bool border = false;
  std::vector<std::string> items;  // list boxes only
};

// How the dispatcher routes a key.
enum class Mode : int {
  Normal = 0,
  Busy = 1,
  ErrorShown = 2,
  ConfirmPending = 3,
  AbortConfirm = 4,
  Calculator = 5,
};

// Values of Screen.
namespace Screens {
inline constexpr int MainMenu = 0;
inline constexpr int SubMenu = 1;
inline constexpr int FunctionMenu = 2;
inline constexpr int FileMenu = 3;
inline constexpr int ReadRange = 4;
inline constexpr int SendRange = 5;
inline constexpr int AlpineEdit = 6;
inline constexpr int RelayEdit = 7;
inline constexpr int BlockEntry = 8;
inline constexpr int Settings = 10;
inline constexpr int FileSelection = 11;
inline constexpr int FileList = 12;
inline constexpr int HunterStart = 13;
inline constexpr int SerialSendRange = 14;
}  // namespace Screens

// Key indexes of the keypad.
namespace Keys {
inline constexpr int Point = 10;
inline constexpr int Esc = 11;
inline constexpr int Insert = 12;
inline constexpr int Delete = 13;
inline constexpr int Up = 14;
inline constexpr int Down = 15;
inline constexpr int Left = 16;
inline constexpr int Right = 17;  // also Cal.
inline constexpr int Clear = 18;
inline constexpr int Enter = 19;
inline constexpr int Count = 20;
}  // namespace Keys

inline constexpr const char* kMainTitle =
    "TARVO RX-710KP  <Computing Timer RX-710 Terminal>  Ver.";

class Form {
 public:
  Form();
  Form(const Form&) = delete;  // controls point at each other
  Form& operator=(const Form&) = delete;

  // ---- state variables ----
  bool PowerOffRequested = false;
  bool ResizePending = false;
  Mode KeyMode = Mode::Normal;
  int SendRecovery = 0;
  int Screen = Screens::MainMenu;
  std::string SavedGuide;
  int MenuItem = 1;
  std::array<std::string, 14> MenuTitle{};
  int FuncItem = 1;
  int FuncCode = 0;
  int FileNo = -1;
  std::string FilePath;
  int RecordCount = 0;
  int RecordIndex = 0;
  std::vector<std::string> Records;
  int FileSel = 0;
  bool BestFrame = true;
  bool PrintFrame = true;
  int FileListMax = 0;
  int FileCount = 0;
  int EditStep = 0;
  int CalcStep = 0;
  bool InputActive = false;
  int InputIntDigits = 0;
  int InputFracDigits = 0;
  Control* InputLabel = nullptr;
  Control* CalcTarget = nullptr;
  std::string InputPrevCaption;
  std::string InputInt;
  std::string InputFrac;
  bool InputPointSeen = false;
  int RxPhase = 0;
  int EditRow = 0;
  bool DebugMode = false;
  int PortNo = 3;
  std::string RxBuffer;
  std::string TxLine;
  int ExpectReply = 0;
  int WaitMs = 0;
  std::string ZeroTime = "0.0000";
  bool DualAdd = false;
  bool SerialSend = false;
  // The guide line of the screen the calculator was opened on, shown again
  // when it closes.
  std::string CalcSavedGuide;

  // ---- the window and its controls ----
  std::string caption;  // window title
  int designWidth = 0, designHeight = 0;  // twips

  std::array<Control, 5> fraMenu;
  std::array<Control, 14> lblMenu;  // 1-13
  std::array<Control, 5> Label1;    // 0-2, 4
  std::array<Control, 10> lblFunc;  // 1-9
  Control lblFuncT, lblYomiT, lblBlk;

  std::array<Control, 2> fraEdit;
  std::array<Control, 2> lblEditT;
  std::array<Control, 6> lblEditG;  // 0-4 in fraEdit(0), 5 in fraMenu(4)
  std::array<Control, 6> lblEditInp;
  std::array<Control, 2> lblEditR;
  std::array<Control, 13> lblRelayG;
  std::array<Control, 11> lblRelayTime;
  std::array<Control, 11> lblRelayInp;

  Control fraFile;
  std::array<Control, 51> lblFileList;
  Control lblFileG;

  Control fraYomikomi;
  std::array<Control, 6> lblYomiG;  // 0-3 in fraYomikomi, 4-5 in fraHunter2
  Control lblFileName;

  Control fraSend;
  std::array<Control, 5> lblSendG;
  Control lblSendName;

  Control fraHunter, fraHunter2;
  Control lblDateTime;
  std::array<Control, 5> lblHuntG;

  Control fraSettings;
  std::array<Control, 2> lblSetG;
  std::array<Control, 4> lblOnOff;

  Control fraDate;
  std::array<Control, 2> lblDate;
  std::array<Control, 4> lblDateG;

  Control fraCalc;
  std::array<Control, 3> lblCalc;
  std::array<Control, 3> lblCalcG;

  Control fraKey;
  std::array<Control, 20> lblKey;
  std::array<Control, 20> lblCap;

  Control lblGuide;
  Control lblError;
  std::array<Control, 2> lblStatus;
  Control lstDebug;

  // Every control, parents before children, for the window to build itself.
  const std::vector<Control*>& AllControls() const { return all_; }

 private:
  void Register(Control& control, const std::string& name, ControlKind kind,
                Control* parent);
  void RegisterControls();
  void SetDesignValues();

  std::vector<Control*> all_;
};

}  // namespace rx
