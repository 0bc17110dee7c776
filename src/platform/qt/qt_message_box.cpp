#include "platform/qt/qt_message_box.h"

#include <QPushButton>

namespace rx {

namespace {

MessageAnswer AnswerOf(QMessageBox::StandardButton button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return EscapeAnswer(buttons);  // closed by the window manager
  }
}

}  // namespace

QtMessageBox::~QtMessageBox() {
  Release();
  delete box_.data();
}

void QtMessageBox::Ask(const std::string& text, MessageButtons buttons, MessageIcon icon,
                       Answered answered) {
  Dismiss();
  auto* box = new QMessageBox(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Warning,
                              "RX-710KP", QString::fromStdString(text).replace("\r\n", "\n"),
                              QMessageBox::NoButton, parent_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  switch (buttons) {
    case MessageButtons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::OkCancel:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::YesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      // Enter is the operator's most used key: it must never be the one that
      // switches the PC off. Yes takes its own click or Alt+Y.
      box->setDefaultButton(QMessageBox::Cancel);
      box->setEscapeButton(QMessageBox::Cancel);
      break;
  }
  box_ = box;
  answered_ = std::move(answered);
  buttons_ = buttons;
  QObject::connect(box, &QMessageBox::finished, box, [this, box] {
    if (box_ != box) return;  // dismissed already
    MessageAnswer answer = AnswerOf(box->standardButton(box->clickedButton()), buttons_);
    if (Answered done = Release()) done(answer);
  });
  box->open();
}

void QtMessageBox::Dismiss() {
  QMessageBox* box = box_.data();
  if (box == nullptr) return;
  MessageButtons buttons = buttons_;
  Answered done = Release();
  box->close();  // deletes itself; its finished finds no box of ours
  if (done) done(EscapeAnswer(buttons));
}

MessageBox::Answered QtMessageBox::Release() {
  box_.clear();
  return std::exchange(answered_, {});
}

}  // namespace rx
