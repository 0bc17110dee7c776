// Message boxes that open with open(), never exec(): the window's event loop
// goes on while the operator reads, and the answer comes from the box's
// finished signal.
#pragma once

#include <QMessageBox>
#include <QPointer>

#include "platform/message_box.h"

class QWidget;

namespace rx {

class QtMessageBox : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
  ~QtMessageBox() override;
  QtMessageBox(const QtMessageBox&) = delete;
  QtMessageBox& operator=(const QtMessageBox&) = delete;

  void SetParent(QWidget* parent) { parent_ = parent; }
  void Ask(const std::string& text, MessageButtons buttons, MessageIcon icon,
           Answered answered) override;
  void Dismiss() override;
  bool Asking() const override { return !box_.isNull(); }
  // The box on screen, for tests that press its keys.
  QMessageBox* OpenBox() const { return box_.data(); }

 private:
  // Forgets the box and hands its callback to the caller.
  Answered Release();

  QWidget* parent_;
  QPointer<QMessageBox> box_;
  Answered answered_;
  MessageButtons buttons_ = MessageButtons::Ok;
};

}  // namespace rx
