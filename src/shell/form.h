// The main window as the logic sees it: every state variable it keeps between
// two events, and a plain model of every control it shows. The Qt window only
// renders this; nothing here knows about Qt.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "shell/menu_items.h"

namespace rx {

// Colours as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kLightGrey = 0xE0E0E0;   // RGB 224, 224, 224
inline constexpr Rgb kButtonFace = 0xF0F0F0;  // the system's button-face colour

enum class ControlKind { Frame, Label, List };

// The traffic list keeps the newest lines.
inline constexpr std::size_t kTrafficListLines = 5000;

// The lines of a list box: added at the end, dropped from the front or all at
// once. Every line has a running number, so the window can follow the changes
// (drop so many rows, add the new ones) instead of copying the list.
class ListLines {
 public:
  void push_back(std::string line) { lines_.push_back(std::move(line)); }
  // Drops the oldest lines until at most keep are left.
  void KeepNewest(std::size_t keep) {
    while (lines_.size() > keep) {
      lines_.pop_front();
      ++first_;
    }
  }
  void clear() {
    first_ += lines_.size();
    lines_.clear();
  }
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const std::string& operator[](std::size_t i) const { return lines_[i]; }
  const std::string& back() const { return lines_.back(); }
  // The running number of the first line, and one past the last.
  std::uint64_t FirstNumber() const { return first_; }
  std::uint64_t EndNumber() const { return first_ + lines_.size(); }

 private:
  std::deque<std::string> lines_;
  std::uint64_t first_ = 0;
};
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
  ListLines items;  // list boxes only
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

// Values of Screen: the screen the keys act on.
enum class ScreenId : int {
  MainMenu = 0,
  SubMenu = 1,
  FunctionMenu = 2,
  FileMenu = 3,
  ReadRange = 4,
  SendRange = 5,
  AlpineEdit = 6,
  RelayEdit = 7,
  BlockEntry = 8,
  Settings = 10,
  FileSelection = 11,
  FileList = 12,
  HunterStart = 13,
  SerialSendRange = 14,
  End,  // past the last: not a screen
};
// Every screen, in the order of their values (9 names none).
inline constexpr ScreenId kAllScreens[] = {
    ScreenId::MainMenu,   ScreenId::SubMenu,       ScreenId::FunctionMenu, ScreenId::FileMenu,
    ScreenId::ReadRange,  ScreenId::SendRange,     ScreenId::AlpineEdit,   ScreenId::RelayEdit,
    ScreenId::BlockEntry, ScreenId::Settings,      ScreenId::FileSelection, ScreenId::FileList,
    ScreenId::HunterStart, ScreenId::SerialSendRange};
inline constexpr int kScreenIdCount = static_cast<int>(ScreenId::End);

// Values of ExpectReply: the command family whose answer the exchange waits for.
enum class ReplyFamily : char {
  None = 0,
  OneRecord = 'O',   // a record read onto an edit screen
  IntoFile = 'Y',    // a whole memory read into a data file
  Modify = 'M',
  Add = 'C',
  Delete = 'K',
  Print = 'P',
  BestOutput = 'B',
  Load = 'L',        // one record of a file sent to the device
};

// Values of SendRecovery during a send to the device.
enum class Recovery : int {
  Off = 0,           // no send running: a refusal is an ordinary error
  Ask = 1,           // each refusal stops the send for the operator's choice
  PassOver = 2,      // the operator chose to go on past every refusal
};

// Values of FuncCode on the range menus: the whole memory or file, or one block.
enum class Scope : int {
  None = 0,
  AllBlocks = 8,
  OneBlock = 9,
};

// Values of EditStep. The alpine/nordic screen goes Course (dual-course add
// only), Block, Bib, Read, NewTime, Confirm; the relay screen Block, Bib, Read,
// then one step per leg from FirstLeg on, the end marker after the last leg,
// and RelayConfirm.
enum class EditStage : int {
  Course = 0,
  Block = 1,
  Bib = 2,
  Read = 3,
  NewTime = 4,
  Confirm = 6,
  FirstLeg = 4,
  RelayConfirm = 15,
};
// The relay step of a leg row (0 the first leg; EditRow the end marker), and back.
constexpr EditStage LegStage(int row) {
  return static_cast<EditStage>(static_cast<int>(EditStage::FirstLeg) + row);
}
constexpr int LegRowOf(EditStage step) {
  return static_cast<int>(step) - static_cast<int>(EditStage::FirstLeg);
}
inline constexpr int kFirstLegRow = LegRowOf(EditStage::FirstLeg);

// Sizes and limits the screens share.
inline constexpr int kMostLegs = 10;           // legs of a relay team
inline constexpr int kFileCells = 51;          // cells of the file list
inline constexpr int kLastBlock = 28;          // block numbers 0-28 of the alpine/nordic memories
inline constexpr int kLastRelayBlock = 18;     // block numbers 0-18 of the relay results
inline constexpr int kDefaultPortNo = 3;       // the port used until the settings name another

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

// Names of the controls of the arrays below that the logic reaches one by one.
namespace MenuFrame {  // fraMenu: the menu pages
inline constexpr int Main = 0;
inline constexpr int Sub = 1;
inline constexpr int Function = 2;  // a memory's edit functions
inline constexpr int File = 3;      // the file operations
inline constexpr int Range = 4;     // all blocks or one, with the block entry
}  // namespace MenuFrame
namespace EditFrame {  // fraEdit, lblEditT
inline constexpr int Alpine = 0;
inline constexpr int Relay = 1;
}  // namespace EditFrame
namespace EditField {  // lblEditInp, and lblEditG beside Course .. NewTime
inline constexpr int Course = 0;
inline constexpr int Block = 1;
inline constexpr int Bib = 2;
inline constexpr int DeviceTime = 3;  // the time the device holds
inline constexpr int NewTime = 4;     // the time typed
inline constexpr int TimeToSend = 5;  // the typed time as the device takes it
}  // namespace EditField
namespace TeamField {  // lblEditR
inline constexpr int Block = 0;
inline constexpr int Bib = 1;
}  // namespace TeamField
inline constexpr int kTeamTotalRow = kMostLegs;  // lblRelayTime: the row after the legs
namespace SendLine {  // lblSendG
inline constexpr int What = 0;
inline constexpr int Left = 2;      // "残り"
inline constexpr int Progress = 3;  // the record refused
inline constexpr int Count = 4;     // how many records are left
}  // namespace SendLine
namespace HunterLine {  // lblHuntG
inline constexpr int Entry = 1;     // what the second row holds: the start or the file made
inline constexpr int DateHint = 2;  // "(MMDDHHMM)"
inline constexpr int Source = 3;    // the chosen results file
inline constexpr int Target = 4;    // the file made
}  // namespace HunterLine
namespace ReadLine {  // lblYomiG
inline constexpr int What = 0;
inline constexpr int Count = 3;  // records stored so far
}  // namespace ReadLine
namespace CalcField {  // lblCalc
inline constexpr int Start = 0;
inline constexpr int Finish = 1;
inline constexpr int Net = 2;
}  // namespace CalcField
namespace OnOff {  // lblOnOff: ON and OFF of the best output row, then of the print row
inline constexpr int BestOn = 0;
inline constexpr int BestOff = 1;
inline constexpr int PrintOn = 2;
inline constexpr int PrintOff = 3;
}  // namespace OnOff
namespace StatusPart {  // lblStatus
inline constexpr int Date = 0;
inline constexpr int Frames = 1;
}  // namespace StatusPart

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
  Recovery SendRecovery = Recovery::Off;
  ScreenId Screen = ScreenId::MainMenu;
  std::string SavedGuide;
  MenuItemId MenuItem = kFirstMenuItem;
  std::array<std::string, 14> MenuTitle{};
  FuncItemId FuncItem = FuncItemId::Modify;
  Scope FuncCode = Scope::None;
  int StoredCount = 0;  // records a read has written into its file
  int RecordIndex = 0;
  std::vector<std::string> Records;
  int FileSel = 0;
  bool BestFrame = true;
  bool PrintFrame = true;
  int FileListMax = 0;
  int FileCount = 0;
  EditStage EditStep = EditStage::Course;
  int CalcStep = 0;
  bool InputActive = false;
  int InputIntDigits = 0;
  int InputFracDigits = 0;
  Control* InputLabel = nullptr;
  // What each input field holds, by its label; the label only shows it.
  std::map<const Control*, std::string> FieldTexts;
  Control* CalcTarget = nullptr;
  std::string InputPrevCaption;
  std::string InputInt;
  std::string InputFrac;
  bool InputPointSeen = false;
  int EditRow = 0;
  bool DebugMode = false;
  int PortNo = kDefaultPortNo;
  std::string RxBuffer;
  std::string TxLine;
  ReplyFamily ExpectReply = ReplyFamily::None;
  int WaitMs = 0;
  std::string ZeroTime = "0.0000";
  bool DualAdd = false;
  bool SerialSend = false;
  // The guide line of the screen the calculator was opened on, shown again
  // when it closes.
  std::string CalcSavedGuide;
  std::string CalcNetTime;  // the calculator's result, handed to the field it was opened on
  // What the screens show as values, kept here; their captions are drawn from
  // these and never read back.
  std::array<std::string, kFileCells> FileNames{};  // the file list, cell by cell
  std::array<std::string, kMostLegs> TeamLegs{};    // the relay screen's leg times
  std::string TeamTotal;                            // and the team's total
  std::string ReadFileName;     // the file a read writes
  std::string SendFileName;     // the file a send or a serial output takes
  std::string HunterSource;     // the hunter start's chosen results file
  std::string HunterTarget;     // the file it makes
  std::string HunterStartTime;  // its start clock, "HHMM"
  // The settings screen's ON (true) or OFF for best output and print, until
  // Enter stores them.
  std::array<bool, 2> OnOffChosen{};

  // ---- the window and its controls ----
  std::string caption;  // window title
  int designWidth = 0, designHeight = 0;  // twips
  bool wideScreen = false;  // the screen is 1097 pixels wide: the keypad sits at the right edge

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
  std::array<Control, kFileCells> lblFileList;
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

// What a main menu item works on, as the titles name it ("" past item 9).
// RecordCount: the records queued for a send or a text output. The queue
// itself is the count, so the two never part.
inline int RecordCount(const Form& f) { return static_cast<int>(f.Records.size()); }

inline const std::string& MenuTitleOf(const Form& f, MenuItemId item) {
  return f.MenuTitle[Index(item)];
}

// The name in the file list's selected cell; "" with none selected.
inline const std::string& SelectedFileName(const Form& f) {
  static const std::string none;
  return f.FileSel >= 0 && f.FileSel < kFileCells ? f.FileNames[f.FileSel] : none;
}

}  // namespace rx
