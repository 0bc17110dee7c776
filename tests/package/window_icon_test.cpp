// The window icon travels inside the program, through the static rx710qt, as
// a resource at the path the window takes it from.
#include <QImage>

#include <gtest/gtest.h>

TEST(WindowIcon, IsBuiltIntoEveryProgramLinkingTheWindowAt256Pixels) {
  const QImage icon(QStringLiteral(RX710KP_WINDOW_ICON));
  ASSERT_FALSE(icon.isNull()) << RX710KP_WINDOW_ICON << " is not in the program";
  EXPECT_EQ(icon.width(), 256);
  EXPECT_EQ(icon.height(), 256);
}
