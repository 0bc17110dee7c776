// The real window on the offscreen platform.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <optional>

#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_message_box.h"
#include "shell/startup.h"
#include "shell/version.h"
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
            QString::fromUtf8("TARVO RX-710KP  <Computing Timer RX-710 Terminal>  Ver.") + kVersionText);
  auto* page = qobject_cast<QGroupBox*>(window.WidgetOf(&f.fraMenu[0]));
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->isVisible());
  EXPECT_FALSE(window.WidgetOf(&f.fraMenu[1])->isVisible());
  EXPECT_FALSE(window.WidgetOf(&f.lblError)->isVisible());
  // Japanese text is drawn in the Gothic font, not a fallback of empty boxes.
  EXPECT_EQ(QFontInfo(window.WidgetOf(&f.lblMenu[1])->font()).family(), "IPAGothic");
}

TEST_F(WindowTest, KeysAndClicksReachTheDispatcher) {
  QTest::keyClick(&window, Qt::Key_3);
  EXPECT_EQ(f.MenuItem, MenuItemId::FirstRunResult);
  QTest::keyClick(&window, Qt::Key_Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::SecondRunResult);
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);  // Clear
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  EXPECT_TRUE(window.WidgetOf(&f.fraMenu[1])->isVisible());
  QTest::mouseClick(window.WidgetOf(&f.lblCap[Keys::Up]), Qt::LeftButton);
  EXPECT_EQ(f.MenuItem, MenuItemId::BestOutput);
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

// Enter is the operator's most used key: at the close question it cancels,
// as Esc does; switching off takes Yes itself. The notice's Enter is OK.
TEST(MessageBoxTest, EnterAndEscCancelTheCloseQuestionAndYesNeedsItsOwnClick) {
  QWidget parent;
  parent.show();
  QtMessageBox boxes(&parent);
  struct Case {
    MessageButtons buttons;
    std::function<void(QMessageBox*)> act;
    MessageAnswer expected;
  };
  auto key = [](Qt::Key k) { return [k](QMessageBox* box) { QTest::keyClick(box, k); }; };
  const Case cases[] = {
      {MessageButtons::YesNoCancel, key(Qt::Key_Return), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, key(Qt::Key_Enter), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, key(Qt::Key_Escape), MessageAnswer::Cancel},
      {MessageButtons::YesNoCancel, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); },
       MessageAnswer::Yes},
      {MessageButtons::YesNoCancel, [](QMessageBox* box) { box->button(QMessageBox::No)->click(); },
       MessageAnswer::No},
      {MessageButtons::Ok, key(Qt::Key_Return), MessageAnswer::Ok},
  };
  for (const Case& c : cases) {
    std::optional<MessageAnswer> answer;
    boxes.Ask("?", c.buttons, MessageIcon::Warning, [&](MessageAnswer a) { answer = a; });
    ASSERT_TRUE(boxes.Asking());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(boxes.OpenBox()));
    EXPECT_FALSE(answer.has_value());  // open() returned: no loop of its own
    c.act(boxes.OpenBox());
    ASSERT_SOON(answer.has_value(), 2000);
    EXPECT_EQ(*answer, c.expected);
    EXPECT_FALSE(boxes.Asking());
  }
  // Dismissed from outside (a signal, the logout): the escape answer, once.
  int answers = 0;
  boxes.Ask("?", MessageButtons::YesNoCancel, MessageIcon::Warning, [&](MessageAnswer a) {
    ++answers;
    EXPECT_EQ(a, MessageAnswer::Cancel);
  });
  boxes.Dismiss();
  testing::RunFor(50);
  EXPECT_EQ(answers, 1);
  EXPECT_FALSE(boxes.Asking());
}

// The traffic list follows the form row by row: new lines added, the oldest
// dropped, an emptied list emptied, without being built anew.
TEST_F(WindowTest, TheTrafficListFollowsItsLinesIncrementally) {
  f.lstDebug.visible = true;
  auto* list = qobject_cast<QListWidget*>(window.WidgetOf(&f.lstDebug));
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) f.lstDebug.items.push_back("line " + std::to_string(i));
  window.Refresh();
  ASSERT_EQ(list->count(), 3);
  QListWidgetItem* kept = list->item(2);
  f.lstDebug.items.push_back("line 3");
  f.lstDebug.items.KeepNewest(2);
  window.Refresh();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0), kept);  // the same row, not a new one
  EXPECT_EQ(list->item(1)->text(), "line 3");
  f.lstDebug.items.clear();
  f.lstDebug.items.push_back(std::string("\x02") + "CR" + "\x03");
  window.Refresh();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "<STX>CR<ETX>");
}

// The panel at window sizes of its own: the desktop is a fake, so nothing
// moves the window back to the work area.
class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Form_Load(terminal));
    window.Attach(&terminal);
    window.ShowBanner("simulated device");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void Size(int width, int height) {
    window.resize(width, height);
    ASSERT_SOON(window.size() == QSize(width, height), 5000);
  }
  QRect Place(const Control& control) {
    QWidget* widget = window.WidgetOf(&control);
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
  }
  // The banner shares its place with no control that shows.
  void ExpectBannerAlone() {
    const QRect banner = window.Banner()->geometry();
    ASSERT_FALSE(banner.isEmpty());
    for (const Control* control : f.AllControls()) {
      QWidget* widget = window.WidgetOf(control);
      if (control->parent == nullptr && widget->isVisible()) {
        EXPECT_FALSE(Place(*control).intersects(banner)) << control->name;
      }
    }
  }

  QTemporaryDir data;
  frmMain window;
  testing::FakePlatform fakes;
  Terminal terminal{fakes.Services(), data.path().toStdString()};
  Form& f = terminal.form;
};

TEST_F(PanelTest, ThePanelScalesAsOneAndClicksFollowIt) {
  Size(1024, 736);
  const QRect small = Place(f.lblKey[Keys::Enter]);
  const double smallPoints = window.WidgetOf(&f.lblCap[Keys::Enter])->font().pointSizeF();
  EXPECT_NEAR(window.Scale(), 1.0, 0.01);

  Size(1920, 1080);  // a laptop's screen: the height limits, the panel is centred
  const double scale = window.Scale();
  EXPECT_NEAR(scale, 1080.0 / 736, 0.01);
  const QRect large = Place(f.lblKey[Keys::Enter]);
  EXPECT_NEAR(large.width(), small.width() * scale, 2);
  EXPECT_NEAR(large.height(), small.height() * scale, 2);
  EXPECT_NEAR(window.WidgetOf(&f.lblCap[Keys::Enter])->font().pointSizeF(), smallPoints * scale, 0.1);
  const int left = Place(f.fraMenu[0]).left();
  const int right = window.width() - Place(f.fraKey).right();
  EXPECT_GT(left, 200);  // centred: room on both sides
  EXPECT_NEAR(left - f.fraMenu[0].left * scale / 15,
              right - (f.designWidth - f.fraKey.left - f.fraKey.width) * scale / 15, 3);
  ExpectBannerAlone();

  // A click where key 2 is drawn now presses key 2.
  QRect two = Place(f.lblKey[2]);
  QWidget* hit = window.childAt(two.center());
  ASSERT_NE(hit, nullptr);
  QTest::mouseClick(hit, Qt::LeftButton);
  EXPECT_EQ(f.MenuItem, MenuItemId::DnfMemory);

  QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);  // the unscaled view
  EXPECT_FALSE(window.FitToWindow());
  EXPECT_EQ(Place(f.lblKey[Keys::Enter]).size(), small.size());
  EXPECT_EQ(f.MenuItem, MenuItemId::DnfMemory);  // not the digit 0
  ExpectBannerAlone();
  QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_TRUE(window.FitToWindow());
}

// On the 1920-pixel screen at 175 % (1097 pixels) the keypad moves to the
// panel's right edge and the date line spans the panel.
class WideScreenPanelTest : public PanelTest {
 protected:
  void SetUp() override {
    fakes.desktop.screenWidthPixels = 1097;
    PanelTest::SetUp();
  }
};

// Every control that shows lies inside the window wherever the panel fits it,
// and the keypad's right margin in the panel is the menu's left margin.
TEST_F(WideScreenPanelTest, ThePanelStaysInsideTheWindowAtEverySize) {
  f.lstDebug.visible = true;
  window.Refresh();
  const struct {
    int width, height;
    bool fit;
  } cases[] = {{1097, 800, true}, {1097, 590, true},  {1097, 800, false}, {1097, 590, false},
               {1023, 737, true}, {701, 999, true},   {1601, 613, true},  {1921, 1081, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << (c.fit ? " fit" : " unscaled"));
    window.SetFitToWindow(c.fit);
    Size(c.width, c.height);
    if (c.fit || (c.width * 15 >= f.designWidth && c.height * 15 >= f.designHeight)) {
      for (const Control* control : f.AllControls()) {
        if (window.WidgetOf(control)->isVisible())
          EXPECT_TRUE(window.rect().contains(Place(*control))) << control->name;
      }
      EXPECT_TRUE(window.rect().contains(window.Banner()->geometry()));
    }
    const QRect panel = Place(f.lblStatus[0]);
    EXPECT_NEAR(panel.right() - Place(f.fraKey).right(), Place(f.fraMenu[0]).left() - panel.left(), 1);
  }
  window.SetFitToWindow(true);
}

TEST_F(PanelTest, TheBannerKeepsClearOfTheTrafficListAndTheLongestLines) {
  f.lstDebug.visible = true;
  f.lblError.visible = true;
  f.lblError.caption = "エラー：リザルトメモリに指定データがありません（[Esc]：解除）";
  window.Refresh();
  for (QSize size : {QSize(1024, 736), QSize(1920, 1080), QSize(800, 800)}) {
    Size(size.width(), size.height());
    window.ShowBanner("simulated device");
    ExpectBannerAlone();
  }
}

}  // namespace
}  // namespace rx
