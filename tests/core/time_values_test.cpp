#include "data/time_values.h"

#include <gtest/gtest.h>

#include "data/relay_total.h"
#include "shell/form.h"

namespace rx {
namespace {

TEST(ParseDigits, OnlyDigitsCount) {
  EXPECT_EQ(ParseDigits("0"), 0);
  EXPECT_EQ(ParseDigits("2100"), 2100);
  EXPECT_EQ(ParseDigits(""), -1);
  EXPECT_EQ(ParseDigits(" 1"), -1);
  EXPECT_EQ(ParseDigits("1a"), -1);
  EXPECT_EQ(ParseDigits("-1"), -1);
}

TEST(EntryToTime, ValidEntriesAndTheirBoundaries) {
  EXPECT_EQ(EntryToTime("235959.9999"), "23:59:59.9999");
  EXPECT_EQ(EntryToTime("0.5"), "00:00:00.5000");
  EXPECT_EQ(EntryToTime("5"), "00:00:05.0000");
  EXPECT_EQ(EntryToTime("12.34"), "00:00:12.3400");
  EXPECT_EQ(EntryToTime("0."), "00:00:00.0000");       // a bare point after digits
  EXPECT_EQ(EntryToTime("0.0000"), "00:00:00.0000");
  EXPECT_EQ(EntryToTime("1.123456"), "00:00:01.1234");  // decimals past the fourth ignored
  // Captions of an open input carry blanks after the typed digits.
  EXPECT_EQ(EntryToTime("1234     "), "00:12:34.0000");
  EXPECT_EQ(EntryToTime("12.5   "), "00:00:12.5000");
}

TEST(EntryToTime, InvalidEntriesGiveEmptyText) {
  EXPECT_EQ(EntryToTime("240000"), "");  // hour 24
  EXPECT_EQ(EntryToTime("126000"), "");  // minute 60
  EXPECT_EQ(EntryToTime("99"), "");      // second 99
  EXPECT_EQ(EntryToTime("."), "");       // lone point: no integer part
  EXPECT_EQ(EntryToTime(""), "");
  EXPECT_EQ(EntryToTime("1236000"), "");
  EXPECT_EQ(EntryToTime("12a"), "");
}

TEST(TimeToEntry, DropsLeadingZeroUnits) {
  EXPECT_EQ(TimeToEntry("00:00:05.1234"), "5.1234");
  EXPECT_EQ(TimeToEntry("00:00:15.1234"), "15.1234");
  EXPECT_EQ(TimeToEntry("00:01:05.1234"), "105.1234");
  EXPECT_EQ(TimeToEntry("00:12:05.1234"), "1205.1234");
  EXPECT_EQ(TimeToEntry("01:02:03.0450"), "10203.0450");
  EXPECT_EQ(TimeToEntry("12:34:56.7890"), "123456.7890");
  EXPECT_EQ(TimeToEntry("00:00:00.0000"), "0.0000");
  EXPECT_EQ(TimeToEntry("23:60:00.0000"), "0.0000");
  EXPECT_EQ(TimeToEntry("24:00:00.0000"), "0.0000");
  EXPECT_EQ(TimeToEntry(""), "0.0000");
}

TEST(TimeToSeconds, FullAndLegTexts) {
  EXPECT_EQ(TimeToSeconds("00:00:01.2345"), (TimeParts{1, 2345}));
  EXPECT_EQ(TimeToSeconds("01:00:00.0   "), (TimeParts{3600, 0}));
  EXPECT_EQ(TimeToSeconds("00:00:00.0  "), (TimeParts{0, 0}));
  EXPECT_EQ(TimeToSeconds("00:00:02.5   "), (TimeParts{2, 5000}));  // tenths weigh 1000
  EXPECT_EQ(TimeToSeconds("23:59:59.9999"), (TimeParts{86399, 9999}));
  EXPECT_EQ(TimeToSeconds("24:00:00.0000"), (TimeParts{0, 0}));
  EXPECT_EQ(TimeToSeconds("00:00:01.2x45"), (TimeParts{0, 0}));
  EXPECT_EQ(TimeToSeconds(""), (TimeParts{0, 0}));
}

TEST(ClockToSeconds, HunterClock) {
  EXPECT_EQ(ClockToSeconds("123456  "), (TimeParts{45296, 0}));
  EXPECT_EQ(ClockToSeconds("12345678"), (TimeParts{45296, 780}));
  EXPECT_EQ(ClockToSeconds("1234567 "), (TimeParts{45296, 700}));
  EXPECT_EQ(ClockToSeconds("1234567x"), (TimeParts{-1, 0}));
  EXPECT_EQ(ClockToSeconds("126000  "), (TimeParts{-1, 0}));
  EXPECT_EQ(ClockToSeconds("0010019500"), (TimeParts{601, 950}));  // a record's time digits
}

TEST(ReplyTimeAndStripTime, DeviceAndSendForms) {
  std::string frame = "\x02" "CO0AC045" "0102034567" "  \x03";
  ASSERT_EQ(frame.size(), 22u);
  EXPECT_EQ(ReplyTime(frame), "01:02:03.4567");
  EXPECT_EQ(StripTime("01:02:03.4567", 12), "0102034567  ");
  EXPECT_EQ(StripTime("01:02:03.4   ", 12), "0102034     ");
  EXPECT_EQ(StripTime("0102034567891", 12), "0102034567891");  // never cut
}

TEST(IsValidDateAndClock, Ranges) {
  EXPECT_TRUE(IsValidDate("20080229"));
  EXPECT_FALSE(IsValidDate("20070229"));  // before 2008
  EXPECT_TRUE(IsValidDate("20090229"));           // no leap-year test
  EXPECT_FALSE(IsValidDate("20080230"));
  EXPECT_FALSE(IsValidDate("20080431"));
  EXPECT_TRUE(IsValidDate("20081130"));
  EXPECT_FALSE(IsValidDate("21010101"));
  EXPECT_FALSE(IsValidDate("2008011"));
  EXPECT_FALSE(IsValidDate("20081301"));
  EXPECT_TRUE(IsValidClock("235959"));
  EXPECT_FALSE(IsValidClock("240000"));
  EXPECT_FALSE(IsValidClock("236000"));
  EXPECT_FALSE(IsValidClock("23595"));
}

// The relay total: legs summed and cut to tenths, a sum reaching a hundred
// hours refused with the shown total kept.
TEST(RelayTotal, SumsLegsToTenthsAndRefusesAHundredHours) {
  const std::string day = "23:59:59.9999";
  const struct {
    std::vector<std::string> legs;
    const char* total;  // nullptr: refused
  } cases[] = {
      {{"00:10:00.55  ", "00:20:00.5   ", "01:00:00.0   "}, "01:30:01.0   "},  // .55 + .5 carries
      {{"00:00:01.2345", "00:00:01.9999"}, "00:00:03.2   "},  // full times as read
      {{day, day, day, day, "04:00:01.0000"}, nullptr},
      {{day, day, day, day, "03:59:59.9900"}, "99:59:59.9   "},
      {{}, "00:00:00.0   "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.total ? c.total : "refused");
    Form form;
    form.EditRow = 0;
    for (const std::string& leg : c.legs) form.lblRelayTime[form.EditRow++].caption = leg;
    form.lblRelayTime[10].caption = "kept";
    EXPECT_EQ(RelayTotal(form), c.total != nullptr);
    EXPECT_EQ(form.lblRelayTime[10].caption, c.total ? c.total : "kept");
  }
}

}  // namespace
}  // namespace rx
