// The real window on the offscreen platform.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTemporaryDir>

#include "platform/qt/qt_desktop.h"
#include "shell/startup.h"
#include "support/event_wait.h"
#include "support/fake_platform.h"
#include "ui/main_window.h"

namespace rx {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Form_Load(terminal));
    window.Attach(&terminal);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  QString Text(const Control& control) {
    auto* label = qobject_cast<QLabel*>(window.WidgetOf(&control));
    return label != nullptr ? label->text() : QString("<no label>");
  }

  QTemporaryDir data;
  frmMain window;
  testing::FakePlatform fakes;
  QtDesktop desktop{&window};
  Terminal terminal{Platform{fakes.settings, fakes.clock, fakes.messages, fakes.beeper,
                             fakes.events, desktop, fakes.instance, fakes.port, fakes.launcher,
                             fakes.power},
                    data.path().toStdString()};
  Form& f = terminal.form;
};

TEST_F(WindowTest, ShowsTitleMainMenuKeypadAndStatusLine) {
  EXPECT_EQ(window.windowTitle(),
            QString::fromUtf8("TARVO RX-710KP  <Computing Timer RX-710 Terminal>  Ver.1.01"));
  auto* page = qobject_cast<QGroupBox*>(window.WidgetOf(&f.fraMenu[0]));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->title(), QString::fromUtf8("メインメニュー"));
  EXPECT_TRUE(page->isVisible());
  EXPECT_EQ(Text(f.lblMenu[1]), QString::fromUtf8("　１ コース内メモリ編集"));
  EXPECT_EQ(Text(f.lblMenu[9]), QString::fromUtf8("　９ ベスト出力"));
  EXPECT_EQ(Text(f.Label1[1]), QString::fromUtf8("リレー"));
  EXPECT_EQ(Text(f.lblCap[0]), QString::fromUtf8("０"));
  EXPECT_EQ(Text(f.lblCap[17]), "Cal.");
  EXPECT_EQ(Text(f.lblCap[19]), "Enter");
  EXPECT_EQ(Text(f.lblStatus[1]), "[ BEST : ON  ]      [ PRINT : ON  ]");
  EXPECT_FALSE(window.WidgetOf(&f.fraMenu[1])->isVisible());
  EXPECT_FALSE(window.WidgetOf(&f.lblError)->isVisible());
  // Japanese text is drawn in the Gothic font, not a fallback of empty boxes.
  EXPECT_EQ(QFontInfo(window.WidgetOf(&f.lblMenu[1])->font()).family(), "IPAGothic");
}

TEST_F(WindowTest, KeysAndClicksReachTheDispatcher) {
  QTest::keyClick(&window, Qt::Key_3);
  EXPECT_EQ(f.MenuItem, 3);
  QTest::keyClick(&window, Qt::Key_Down);
  EXPECT_EQ(f.MenuItem, 4);
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);  // Clear
  EXPECT_EQ(f.MenuItem, 10);
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[1])->isVisible());
  QTest::mouseClick(window.WidgetOf(&f.lblCap[Keys::Up]), Qt::LeftButton);
  EXPECT_EQ(f.MenuItem, 9);
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[0])->isVisible());
  // The highlight is drawn: white on blue.
  QPalette palette = window.WidgetOf(&f.lblMenu[9])->palette();
  EXPECT_EQ(palette.color(QPalette::Window), QColor(0, 0, 255));
}

TEST_F(WindowTest, TabIsEscNotAFocusMove) {
  EXPECT_EQ(frmMain::KeyIndexOf(Qt::Key_Tab, Qt::NoModifier, "\t"), Keys::Esc);
  EXPECT_EQ(frmMain::KeyIndexOf(Qt::Key_Minus, Qt::NoModifier, "-"), Keys::Insert);
  EXPECT_EQ(frmMain::KeyIndexOf(Qt::Key_Enter, Qt::KeypadModifier, "\r"), Keys::Enter);
  EXPECT_EQ(frmMain::KeyIndexOf(Qt::Key_A, Qt::NoModifier, "a"), -1);
  f.KeyMode = Mode::ErrorShown;
  f.lblError.visible = true;
  window.Refresh();
  QTest::keyClick(&window, Qt::Key_Tab);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_TRUE(window.hasFocus() || QApplication::focusWidget() == nullptr ||
              QApplication::focusWidget() == &window);
}

TEST_F(WindowTest, WalksToTheSettingsScreenAndBackWithRealKeys) {
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_1);
  QTest::keyClick(&window, Qt::Key_Return);
  EXPECT_TRUE(window.WidgetOf(&f.fraSettings)->isVisible());
  EXPECT_EQ(Text(f.lblCap[Keys::Left]), QString::fromUtf8("←"));
  QTest::keyClick(&window, Qt::Key_Right);
  QPalette off = window.WidgetOf(&f.lblOnOff[1])->palette();
  EXPECT_EQ(off.color(QPalette::Window), QColor(0, 0, 255));
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.WidgetOf(&f.fraSettings)->isVisible());
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[1])->isVisible());
  EXPECT_EQ(Text(f.lblCap[Keys::Right]), "Cal.");
  EXPECT_TRUE(f.BestFrame);
}

TEST_F(WindowTest, EscOnAMenuPageAsksAndCancelKeepsTheWindow) {
  fakes.messages.answers = {MessageAnswer::Cancel};
  QTest::keyClick(&window, Qt::Key_Escape);
  ASSERT_SOON(fakes.messages.shown.size() == std::size_t{1}, 5000);
  EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(window.isVisible());
  fakes.messages.answers = {MessageAnswer::No};
  QTest::keyClick(&window, Qt::Key_Escape);
  ASSERT_SOON(!window.isVisible(), 5000);
  EXPECT_EQ(fakes.power.requests, 0);
}

}  // namespace
}  // namespace rx
