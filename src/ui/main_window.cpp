#include "ui/main_window.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include "console/clicks.h"
#include "console/dispatcher.h"
#include "console/key_translation.h"
#include "platform/qt/qt_desktop.h"
#include "shell/exit.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "shell/version.h"

namespace rx {

namespace {

constexpr double kFrameCaptionPoints = 18.0;
constexpr double kLabelPoints = 15.75;
constexpr double kListPoints = 10.0;
constexpr double kBannerPoints = 11.0;
// The banner's band, in twips: below the status line, or below the traffic
// list when that shows; inside the panel either way.
constexpr int kBannerLeft = 240;
constexpr int kBannerGap = 60;
constexpr int kBannerHeight = 300;

class ClickLabel : public QLabel {
 public:
  ClickLabel(const Control* control, QWidget* parent, std::function<void(const Control*)> onClick)
      : QLabel(parent), control_(control), onClick_(std::move(onClick)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) onClick_(control_);
  }

 private:
  const Control* control_;
  std::function<void(const Control*)> onClick_;
};

// Control characters of the traffic list, named so they can be seen.
QString Readable(const std::string& line) {
  QString text = QString::fromStdString(line);
  text.replace(QChar(2), "<STX>").replace(QChar(3), "<ETX>");
  text.replace(QChar(17), "<XON>").replace(QChar(19), "<XOFF>");
  return text;
}

QColor ToColor(Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  setWindowIcon(QIcon(QString(":/icons/%1.png").arg(kDesktopId)));
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (terminal_ == nullptr) return;
    Timer1_Timer(*terminal_);
    Refresh();
  });
}

int frmMain::Pixels(int twips) const {
  return static_cast<int>(std::lround(twips * scale_ / twipsPerPixel_));
}

QRect frmMain::PlaceOf(const Control& c) const {
  // Edges are rounded, not sizes, so neighbours stay flush at any scale.
  int left = Pixels(c.left), top = Pixels(c.top);
  QRect place(left, top, Pixels(c.left + c.width) - left, Pixels(c.top + c.height) - top);
  return c.parent == nullptr ? place.translated(origin_) : place;
}

void frmMain::ApplyFont(QWidget* widget, double points, bool bold) const {
  QFont font = widget->font();
  font.setPointSizeF(points * scale_);
  font.setBold(bold);
  widget->setFont(font);
}

void frmMain::SetFitToWindow(bool fit) {
  fit_ = fit;
  Relayout();
}

void frmMain::Relayout() {
  if (terminal_ == nullptr) return;
  Form& form = terminal_->form;
  // The controls live in the panel when it is scaled, in the window when not.
  PlaceForInnerWidth(form, fit_ ? form.designWidth : width() * twipsPerPixel_);
  const double panelWidth = static_cast<double>(form.designWidth) / twipsPerPixel_;
  const double panelHeight = static_cast<double>(form.designHeight) / twipsPerPixel_;
  scale_ = fit_ ? std::min(width() / panelWidth, height() / panelHeight) : 1.0;
  if (scale_ <= 0) scale_ = 1.0;
  origin_ = fit_ ? QPoint(static_cast<int>((width() - panelWidth * scale_) / 2),
                          static_cast<int>((height() - panelHeight * scale_) / 2))
                 : QPoint(0, 0);
  for (const Control* control : form.AllControls()) {
    Drawn& drawn = drawn_.at(control);
    drawn.widget->setGeometry(PlaceOf(*control));
    ApplyFont(drawn.widget, drawn.points, control->kind == ControlKind::Label && control->bold);
  }
  PlaceBanner();
}

void frmMain::Attach(Terminal* terminal) {
  terminal_ = terminal;
  twipsPerPixel_ = TwipsPerPixel(logicalDpiX());
  Build();
  Refresh();
  Relayout();
  timer_.start(100);
}

void frmMain::Build() {
  const Form& form = terminal_->form;
  setMinimumSize(form.designWidth / twipsPerPixel_ / 2, form.designHeight / twipsPerPixel_ / 2);
  for (const Control* control : form.AllControls()) {
    QWidget* parent = this;
    if (control->parent != nullptr) parent = drawn_.at(control->parent).widget;
    QWidget* widget = nullptr;
    double points = kLabelPoints;
    switch (control->kind) {
      case ControlKind::Frame: {
        widget = new QGroupBox(parent);
        widget->setAutoFillBackground(true);  // a frame covers what lies beneath it
        points = kFrameCaptionPoints;
        break;
      }
      case ControlKind::Label: {
        auto* label = new ClickLabel(control, parent, [this](const Control* c) { OnClicked(c); });
        label->setAutoFillBackground(true);
        widget = label;
        break;
      }
      case ControlKind::List: {
        auto* list = new QListWidget(parent);
        list->setFocusPolicy(Qt::NoFocus);
        widget = list;
        points = kListPoints;
        break;
      }
    }
    widget->setFont(QFont(QStringLiteral("IPAGothic")));
    ApplyFont(widget, points, false);
    widget->setObjectName(QString::fromStdString(control->name));
    drawn_[control].widget = widget;
    drawn_[control].points = points;
  }
}

void frmMain::Draw(const Control& c, Drawn& drawn) {
  QWidget* w = drawn.widget;
  const Control& last = drawn.last;
  bool all = drawn.first;
  if (all || c.left != last.left || c.top != last.top || c.width != last.width ||
      c.height != last.height)
    w->setGeometry(PlaceOf(c));
  if (all || c.visible != last.visible) w->setVisible(c.visible);
  if (all || c.enabled != last.enabled) w->setEnabled(c.enabled);
  switch (c.kind) {
    case ControlKind::Frame:
      if (all || c.caption != last.caption)
        static_cast<QGroupBox*>(w)->setTitle(QString::fromStdString(c.caption));
      break;
    case ControlKind::Label: {
      auto* label = static_cast<QLabel*>(w);
      if (all || c.caption != last.caption) label->setText(QString::fromStdString(c.caption));
      if (all || c.back != last.back || c.fore != last.fore) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, ToColor(c.back));
        palette.setColor(QPalette::WindowText, ToColor(c.fore));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, ToColor(c.fore));
        label->setPalette(palette);
      }
      if (all || c.bold != last.bold) ApplyFont(label, drawn.points, c.bold);
      if (all || c.align != last.align)
        label->setAlignment(c.align == Align::Center ? Qt::AlignCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
      if (all || c.border != last.border)
        label->setFrameShape(c.border ? QFrame::Box : QFrame::NoFrame);
      break;
    }
    case ControlKind::List: {
      // Only what changed: the rows dropped at the top go, the new ones are added.
      const ListLines& lines = c.items;
      if (!all && lines.FirstNumber() == drawn.listFirst && lines.EndNumber() == drawn.listEnd) break;
      auto* list = static_cast<QListWidget*>(w);
      std::size_t from = 0;
      if (all || lines.FirstNumber() >= drawn.listEnd) {
        list->clear();
      } else {
        for (std::uint64_t n = drawn.listFirst; n < lines.FirstNumber(); ++n) delete list->takeItem(0);
        from = static_cast<std::size_t>(drawn.listEnd - lines.FirstNumber());
      }
      for (std::size_t i = from; i < lines.size(); ++i) list->addItem(Readable(lines[i]));
      list->scrollToBottom();
      drawn.listFirst = lines.FirstNumber();
      drawn.listEnd = lines.EndNumber();
      break;
    }
  }
  // Only what the window draws is remembered; the rest of the control is not needed.
  drawn.last.caption = c.caption;
  drawn.last.visible = c.visible;
  drawn.last.enabled = c.enabled;
  drawn.last.bold = c.bold;
  drawn.last.back = c.back;
  drawn.last.fore = c.fore;
  drawn.last.left = c.left;
  drawn.last.top = c.top;
  drawn.last.width = c.width;
  drawn.last.height = c.height;
  drawn.last.align = c.align;
  drawn.last.border = c.border;
  drawn.first = false;
}

void frmMain::Refresh() {
  if (terminal_ == nullptr) return;
  const Form& form = terminal_->form;
  QString title = QString::fromStdString(form.caption);
  if (title != lastTitle_) {
    setWindowTitle(title);
    lastTitle_ = title;
  }
  for (const Control* control : form.AllControls()) Draw(*control, drawn_.at(control));
}

QWidget* frmMain::WidgetOf(const Control* control) const {
  auto found = drawn_.find(control);
  return found != drawn_.end() ? found->second.widget : nullptr;
}

void frmMain::ShowBanner(const QString& text) {
  if (banner_ == nullptr) {
    banner_ = new QLabel(this);
    banner_->setObjectName("banner");
    banner_->setAutoFillBackground(true);
    QPalette palette = banner_->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 160));
    palette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    banner_->setPalette(palette);
    banner_->setFont(QFont(QStringLiteral("IPAGothic")));
  }
  banner_->setText(text);
  PlaceBanner();
  banner_->show();
}

void frmMain::PlaceBanner() {
  if (banner_ == nullptr || terminal_ == nullptr) return;
  const Form& form = terminal_->form;
  const Control& above = form.lstDebug.visible ? form.lstDebug : form.lblStatus[StatusPart::Date];
  Control band;
  band.left = kBannerLeft;
  band.top = above.top + above.height + kBannerGap;
  band.width = form.designWidth - 2 * kBannerLeft;
  band.height = std::min(kBannerHeight, form.designHeight - band.top);
  banner_->setGeometry(PlaceOf(band));
  // The text fits its band: a smaller band (below the traffic list) takes a smaller font.
  ApplyFont(banner_, kBannerPoints * band.height / kBannerHeight, true);
}

void frmMain::OnClicked(const Control* control) {
  if (terminal_ == nullptr) return;
  Control_Click(*terminal_, *control);
  Refresh();
}

int frmMain::KeyIndexOf(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Left: return KeyIndexForKeyCode(VirtualKeys::Left);
    case Qt::Key_Up: return KeyIndexForKeyCode(VirtualKeys::Up);
    case Qt::Key_Right: return KeyIndexForKeyCode(VirtualKeys::Right);
    case Qt::Key_Down: return KeyIndexForKeyCode(VirtualKeys::Down);
    case Qt::Key_Insert: return KeyIndexForKeyCode(VirtualKeys::Insert);
    case Qt::Key_Delete: return KeyIndexForKeyCode(VirtualKeys::Delete);
    // Platforms differ in the text they give these; use the characters they stand for.
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyIndexForCharacter(13);
    case Qt::Key_Escape: return KeyIndexForCharacter(27);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return KeyIndexForCharacter(9);
    case Qt::Key_L:
      if (modifiers & Qt::ControlModifier) return KeyIndexForCharacter(12);
      break;
    default: break;
  }
  if (text.size() != 1) return -1;
  return KeyIndexForCharacter(text.at(0).unicode());
}

bool frmMain::event(QEvent* event) {
  // Every key press, Tab included, belongs to the keypad, never to focus moves.
  if (event->type() == QEvent::KeyPress && terminal_ != nullptr) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_0 && (key->modifiers() & Qt::ControlModifier)) {
      SetFitToWindow(!fit_);  // the window's own view, not a key of the keypad
      return true;
    }
    int index = KeyIndexOf(key->key(), key->modifiers(), key->text());
    if (index >= 0) {
      lblKey_Click(*terminal_, index);
      Refresh();
      return true;
    }
  }
  return QWidget::event(event);
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
  if (terminal_ != nullptr) Form_Resize(*terminal_);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (terminal_ != nullptr && !unloading_) {
    CloseReason reason = systemClosing_ ? CloseReason::System : CloseReason::Operator;
    // At the operator's answer the window closes again, and then goes.
    Form_QueryUnload(*terminal_, reason, [this] {
      UnloadOnce();
      close();
    });
    Refresh();
  }
  // The window goes once the unload has begun: at once for the system, at
  // the answer for the operator; until then it stays, working.
  if (terminal_ == nullptr || unloading_)
    event->accept();
  else
    event->ignore();
}

void frmMain::CloseBySystem() {
  systemClosing_ = true;
  // Whatever box is open goes too, the notice at the end of an unload included.
  if (terminal_ != nullptr) terminal_->platform.messages.Dismiss();
  close();
}

void frmMain::UnloadOnce() {
  if (terminal_ == nullptr || unloading_) return;
  unloading_ = true;
  timer_.stop();
  Form_Unload(*terminal_, [this] {
    unloaded_ = true;
    emit unloaded();
  });
}

void frmMain::UnloadNow() {
  if (terminal_ == nullptr || unloaded_) return;
  unloading_ = true;
  unloaded_ = true;
  timer_.stop();
  Form_UnloadNow(*terminal_);
}

}  // namespace rx
