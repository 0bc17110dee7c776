// The items of the menus as types. Each keeps the number the operator knows
// it by, which is also the index of its label (lblMenu, lblFunc).
#pragma once

namespace rx {

// Values of MenuItem: the main menu page (1-9) and the sub-menu page (10-13).
enum class MenuItemId : int {
  CourseMemory = 1,
  DnfMemory = 2,
  FirstRunResult = 3,
  SecondRunResult = 4,
  RelayCourseMemory = 5,
  RelayResult = 6,
  FileOperations = 7,
  SendToDevice = 8,
  BestOutput = 9,
  OperationSettings = 10,
  HunterStart = 11,
  SerialSend = 12,
  ComputerDate = 13,
};
inline constexpr MenuItemId kFirstMenuItem = MenuItemId::CourseMemory;
inline constexpr MenuItemId kLastMenuItem = MenuItemId::ComputerDate;

// Values of FuncItem: the edit function menu (1-5), the file-operation menu
// (6-7) and the range menus (8-9; those choose FuncCode, not FuncItem).
enum class FuncItemId : int {
  Modify = 1,
  Add = 2,
  Delete = 3,
  Read = 4,
  DualAdd = 5,
  DeleteFile = 6,
  ListFiles = 7,
  AllBlocks = 8,
  OneBlock = 9,
};

constexpr int Index(MenuItemId item) { return static_cast<int>(item); }
constexpr int Index(FuncItemId item) { return static_cast<int>(item); }

// The item by so many places after (before) item. The result may name no
// item at all; the selections check it.
template <typename Item>
constexpr Item Shifted(Item item, int by) {
  return static_cast<Item>(Index(item) + by);
}
// The item key n (1-9) chooses on a menu whose first item is first.
template <typename Item>
constexpr Item NthItem(Item first, int n) {
  return Shifted(first, n - 1);
}

// The item that label index shows.
constexpr MenuItemId MenuItemAt(int index) { return static_cast<MenuItemId>(index); }
constexpr FuncItemId FuncItemAt(int index) { return static_cast<FuncItemId>(index); }

constexpr bool IsMenuItem(MenuItemId item) { return item >= kFirstMenuItem && item <= kLastMenuItem; }
constexpr bool OnMainPage(MenuItemId item) {
  return item >= kFirstMenuItem && item <= MenuItemId::BestOutput;
}
constexpr bool OnSubPage(MenuItemId item) {
  return item >= MenuItemId::OperationSettings && item <= kLastMenuItem;
}
// The items that edit and read a memory of the device: IsMemory and
// IsRelayMemory (data/memories.h).

// The labels of lblFunc: function items and range items.
constexpr bool IsFuncLabel(FuncItemId item) {
  return item >= FuncItemId::Modify && item <= FuncItemId::OneBlock;
}
// The function items FuncItem holds (1-7), and those of the edit function menu.
constexpr bool IsFunction(FuncItemId item) {
  return item >= FuncItemId::Modify && item <= FuncItemId::ListFiles;
}
constexpr bool IsEditFunction(FuncItemId item) {
  return item >= FuncItemId::Modify && item <= FuncItemId::DualAdd;
}

}  // namespace rx
