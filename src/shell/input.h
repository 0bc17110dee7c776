// The open-input model: at most one label takes typed digits at a time, drawn
// bold while it does. Depends on the form alone, so the device link may close
// an input without reaching into the rest of the console.
#pragma once

#include "shell/form.h"

namespace rx {

// The widths of the inputs: integer digits, and the decimal places of a time.
inline constexpr int kCourseDigits = 1;
inline constexpr int kBlockDigits = 2;
inline constexpr int kBibDigits = 3;
inline constexpr int kStartDigits = 8;   // the hunter start's MMDDHHMM
inline constexpr int kTimeDigits = 6;    // hours, minutes and seconds
inline constexpr int kTimeDecimals = 4;  // an input with these offers the calculator
inline constexpr int kTakenOverDecimals = 3;  // a field that took the calculator's result
inline constexpr int kMarkerDigits = 0;  // the relay screen's end marker takes no digits

// The text an input field holds, kept on the form; its label shows it.
const std::string& FieldText(const Form& form, const Control& field);
void SetField(Form& form, Control& field, const std::string& text);

// Opens an input on label taking integerDigits digits and decimalPlaces
// decimals; a negative integerDigits only closes the open one.
void BeginInput(Form& form, Control& label, int integerDigits, int decimalPlaces);
void EndInput(Form& form);

// Clear with an input open: drops what was typed, restores the caption the
// label had, keeps the input open.
void ClearInput(Form& form);

// What a yes/no prompt asks: to carry the step out (Enter) or to delete a file (Delete).
enum class Confirmation { Execute, Delete };

// Puts a yes/no prompt on the guide line.
void ShowConfirmGuide(Form& form, Confirmation kind);

// Something has been typed into the open input.
bool InputTyped(const Form& form);

}  // namespace rx
