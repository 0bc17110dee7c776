#include "shell/input.h"

#include "shell/guide_texts.h"

namespace rx {

const std::string& FieldText(const Form& f, const Control& field) {
  static const std::string none;
  auto held = f.FieldTexts.find(&field);
  return held == f.FieldTexts.end() ? none : held->second;
}

void SetField(Form& f, Control& field, const std::string& text) {
  f.FieldTexts[&field] = text;
  field.caption = text;
}

void BeginInput(Form& f, Control& label, int integerDigits, int decimalPlaces) {
  if (integerDigits < 0) {
    f.InputActive = false;
    return;
  }
  f.InputActive = true;
  if (f.InputLabel != nullptr) f.InputLabel->bold = false;
  if (decimalPlaces == kTimeDecimals) f.lblCap[Keys::Right].caption = "Cal.";
  f.InputLabel = &label;
  label.bold = true;
  f.InputPrevCaption = FieldText(f, label);
  f.InputIntDigits = integerDigits;
  f.InputFracDigits = decimalPlaces;
  f.InputPointSeen = decimalPlaces == 0;
  f.InputInt.clear();
  f.InputFrac.clear();
}

void EndInput(Form& f) {
  f.InputActive = false;
  if (f.InputLabel != nullptr) f.InputLabel->bold = false;
  f.InputLabel = nullptr;
  f.lblCap[Keys::Right].caption = "";
}

void ClearInput(Form& f) {
  f.InputInt.clear();
  f.InputFrac.clear();
  if (f.InputLabel != nullptr) SetField(f, *f.InputLabel, f.InputPrevCaption);
  if (f.InputFracDigits > 0) f.InputPointSeen = false;
}

void ShowConfirmGuide(Form& f, Confirmation kind) {
  f.SavedGuide = f.lblGuide.caption;
  f.lblGuide.caption = kind == Confirmation::Execute ? guide::kConfirmExecute : guide::kConfirmDelete;
  f.KeyMode = Mode::ConfirmPending;
}

bool InputTyped(const Form& f) { return !f.InputInt.empty() || !f.InputFrac.empty(); }

}  // namespace rx
