// The highlight on the two list-like screens: the rows of the operation
// settings and the cells of the file list.
#pragma once

#include "shell/form.h"

namespace rx {

// Settings screen: selects row index & 1. File list: highlights cell index.
void SelectRow(Form& form, int index);

// Settings screen: marks lblOnOff(index) as the chosen value of its row.
void ShowOnOff(Form& form, int index);

// The last selectable cell of the file list, -1 when it is empty.
int LastFileCell(const Form& form);

}  // namespace rx
