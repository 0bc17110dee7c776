// The real window on the offscreen platform.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "platform/qt/qt_message_box.h"
#include "shell/startup.h"
#include "shell/tick.h"
#include "support/event_wait.h"
#include "support/fake_platform.h"
#include "ui/main_window.h"

namespace rx {
namespace {

// A fake desktop (nothing moves the window back) on a 1920-pixel screen at
// 175 % (1097 pixels), where the keypad moves to the panel's right edge.
struct WindowTest : ::testing::Test {
  void SetUp() override {
    fakes.desktop.screenWidthPixels = 1097;
    ASSERT_TRUE(Form_Load(terminal));
    window.Attach(&terminal);
    window.ShowBanner("simulated device");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void Size(int width, int height) {
    window.resize(width, height);
    ASSERT_SOON(window.size() == QSize(width, height), 10000);
  }
  QRect Place(const Control& control) {
    QWidget* widget = window.WidgetOf(&control);
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
  }

  QTemporaryDir data;
  frmMain window;
  testing::FakePlatform fakes;
  Terminal terminal{fakes.Services(), data.path().toStdString()};
  Form& f = terminal.form;
};

TEST_F(WindowTest, KeysAndClicksReachTheDispatcherAndTabIsEsc) {
  QTest::keyClick(&window, Qt::Key_3);
  EXPECT_EQ(f.MenuItem, MenuItemId::FirstRunResult);
  QTest::keyClick(&window, Qt::Key_Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::SecondRunResult);
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);  // Clear
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[MenuFrame::Sub])->isVisible());
  QTest::mouseClick(window.WidgetOf(&f.lblCap[Keys::Up]), Qt::LeftButton);
  EXPECT_EQ(f.MenuItem, MenuItemId::BestOutput);
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[MenuFrame::Main])->isVisible());
  // A click where key 2 is drawn, the panel scaled up, presses key 2; the
  // tick after a restored window's resize fits it back to the work area.
  fakes.desktop.state = WindowState::Normal;
  Size(1920, 1080);
  Timer1_Timer(terminal);
  EXPECT_EQ(fakes.desktop.moves.size(), 2u);  // at the start and after the resize
  QWidget* hit = window.childAt(Place(f.lblKey[2]).center());
  ASSERT_NE(hit, nullptr);
  QTest::mouseClick(hit, Qt::LeftButton);
  EXPECT_EQ(f.MenuItem, MenuItemId::DnfMemory);
  // Tab is the keypad's Esc, never a focus move.
  f.KeyMode = Mode::ErrorShown;
  f.lblError.visible = true;
  window.Refresh();
  QTest::keyClick(&window, Qt::Key_Tab);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_TRUE(QApplication::focusWidget() == nullptr || QApplication::focusWidget() == &window);
}

// Every control that shows lies inside the window wherever the panel fits it,
// the banner hides none, and the keypad's right margin is the menu's left margin,
// in the panel when scaled, in the window (clipping a narrower one) when not.
TEST_F(WindowTest, ThePanelStaysInsideTheWindowAtEverySize) {
  f.lstDebug.visible = true;
  f.lblError.visible = true;
  f.lblError.caption = "エラー：リザルトメモリに指定データがありません（[Esc]：解除）";
  window.Refresh();
  const struct { int width, height; bool fit; } cases[] = {{1097, 800, true}, {1097, 590, true}, {1097, 800, false},
      {1097, 590, false}, {1023, 737, true}, {701, 999, true}, {1601, 613, true}, {1921, 1081, false},
      {900, 700, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << (c.fit ? " fit" : " unscaled"));
    window.SetFitToWindow(c.fit);
    Size(c.width, c.height);
    const QRect banner = window.Banner()->geometry();
    if (c.fit || (c.width * 15 >= f.designWidth && c.height * 15 >= f.designHeight)) {
      EXPECT_TRUE(window.rect().contains(banner));
      for (const Control* control : f.AllControls()) {
        if (!window.WidgetOf(control)->isVisible()) continue;
        EXPECT_TRUE(window.rect().contains(Place(*control))) << control->name;
        if (control->parent == nullptr) {
          EXPECT_FALSE(Place(*control).intersects(banner)) << control->name;
        }
      }
    }
    const QRect panel = Place(f.lblStatus[StatusPart::Date]);
    if (!c.fit) { EXPECT_EQ(panel.width(), std::max(c.width, f.designWidth / 15)); }
    const QRect home = Place(f.fraMenu[MenuFrame::Main]);
    EXPECT_NEAR(panel.right() - Place(f.fraKey).right(), home.left() - panel.left(), 1);
  }
}

// Enter is the operator's most used key: at the close question it cancels,
// as Esc does; switching off takes Yes itself. The notice's Enter is OK.
TEST(MessageBoxTest, EnterAndEscCancelTheCloseQuestionAndYesNeedsItsOwnClick) {
  QWidget parent;
  parent.show();
  QtMessageBox boxes(&parent);
  auto key = [](Qt::Key k) { return [k](QMessageBox* box) { QTest::keyClick(box, k); }; };
  auto click = [](QMessageBox::StandardButton b) { return [b](QMessageBox* box) { box->button(b)->click(); }; };
  const struct { MessageButtons buttons; std::function<void(QMessageBox*)> act; MessageAnswer expected; } cases[] = {
      {MessageButtons::YesNoCancel, key(Qt::Key_Return), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, key(Qt::Key_Enter), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, key(Qt::Key_Escape), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, click(QMessageBox::Yes), MessageAnswer::Yes},
      {MessageButtons::YesNoCancel, click(QMessageBox::No), MessageAnswer::No},
      {MessageButtons::Ok, key(Qt::Key_Return), MessageAnswer::Ok}};
  for (const auto& c : cases) {
    std::optional<MessageAnswer> answer;
    boxes.Ask("?", c.buttons, MessageIcon::Warning, [&](MessageAnswer a) { answer = a; });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(boxes.OpenBox()));
    EXPECT_FALSE(answer.has_value());  // open() returned: no loop of its own
    c.act(boxes.OpenBox());
    ASSERT_SOON(answer.has_value(), 10000);
    EXPECT_EQ(*answer, c.expected);
    EXPECT_FALSE(boxes.Asking());
  }
}

}  // namespace
}  // namespace rx
