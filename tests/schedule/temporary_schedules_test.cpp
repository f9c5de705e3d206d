// The temporary-schedule text as the user writes it: date lines, item
// texts, colour lines, and what is ignored.
#include "schedule/temporary_schedules.h"

#include <gtest/gtest.h>

#include <string>

namespace hiyomi {
namespace {

constexpr TemporaryColors kDefaults{0x123456, -1};

std::vector<TemporaryItem> Parse(const std::string& text, TemporaryColors defaults = kDefaults) {
  return ParseTemporarySchedules(
      std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), defaults);
}

TEST(TemporarySchedules, DateTextAndColourLines) {
  const auto items = Parse("$20070315\nお花見\nT=0xFF B=0x00FF00\n");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].serial, SerialFromDate(2007, 3, 15));
  EXPECT_STREQ(items[0].text, "お花見");
  EXPECT_EQ(items[0].textColor, 0x0000FF);
  EXPECT_EQ(items[0].backColor, 0x00FF00);
}

TEST(TemporarySchedules, WhichDateLinesCount) {
  struct Case {
    const char* line;
    SerialDay day;  // kNoDay: ignored
  };
  const Case cases[] = {
      {"$20070315", SerialFromDate(2007, 3, 15)},
      {"$20070315 with a note", SerialFromDate(2007, 3, 15)},
      {"$20280229", SerialFromDate(2028, 2, 29)},
      {"$20070230", kNoDay},  // 30 February
      {"$20270229", kNoDay},  // not a leap year
      {"$20071301", kNoDay},
      {"$20070300", kNoDay},
      {"$2007031", kNoDay},   // eight characters in all
      {"$20000100", kNoDay},  // the lower limit itself
      {"$21001232", kNoDay},
      {"$2007A315", kNoDay},  // read up to the letter: 2007
      {" $20070315", kNoDay},
      {"20070315", kNoDay},
  };
  for (const Case& c : cases) {
    const auto items = Parse(std::string(c.line) + "\ntext\n");
    if (c.day == kNoDay) {
      EXPECT_TRUE(items.empty()) << c.line;
    } else {
      ASSERT_EQ(items.size(), 1u) << c.line;
      EXPECT_EQ(items[0].serial, c.day) << c.line;
    }
  }
}

TEST(TemporarySchedules, TheLineAfterAnIgnoredDateAddsNothing) {
  const auto items = Parse("$20070230\n$20070301\nMarch\n");
  // "$20070301" comes where a text would, but no valid date came before it:
  // it is a date line of its own.
  ASSERT_EQ(items.size(), 1u);
  EXPECT_STREQ(items[0].text, "March");
}

TEST(TemporarySchedules, LineEndsTabsAndEmptyLines) {
  const auto items = Parse("\r\n$20070315\r\r\n\n\tA\tB\rt=0x10\n$20070316\rsecond\r\nb=0x20");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_STREQ(items[0].text, " A B");
  EXPECT_EQ(items[0].textColor, 0x10);
  EXPECT_EQ(items[0].backColor, -1);
  EXPECT_EQ(items[1].serial, SerialFromDate(2007, 3, 16));
  EXPECT_EQ(items[1].textColor, kDefaults.text);
  EXPECT_EQ(items[1].backColor, 0x20);
}

TEST(TemporarySchedules, ColourLineValues) {
  struct Case {
    const char* line;
    int32_t text;
    int32_t back;
  };
  const Case cases[] = {
      {"T=0x1FFFFFF", 0xFFFFFF, -1},      // clamped
      {"T=-5 B=255", -1, 255},
      {"T=1 T=2 B=3 b=4", 1, 3},          // the first of each
      {"colour: T=&h20", 0x20, -1},       // anywhere on the line
      {"サ=0xFF", kDefaults.text, -1},   // a trail byte that looks like 'T'
      {"just a note", kDefaults.text, -1},
  };
  for (const Case& c : cases) {
    const auto items = Parse(std::string("$20070315\nitem\n") + c.line + "\n");
    ASSERT_EQ(items.size(), 1u) << c.line;
    EXPECT_EQ(items[0].textColor, c.text) << c.line;
    EXPECT_EQ(items[0].backColor, c.back) << c.line;
  }
}

TEST(TemporarySchedules, TheLineAfterAnItemIsItsColourLineUnlessItIsADateLine) {
  // Items one after another, empty lines between or not, are all kept; any
  // other line after an item, an invalid date line among them, is taken as
  // its colour line and carries nothing else.
  auto items = Parse("$20070315\nfirst\n\n$20070316\nsecond\n$20070317\nthird\n");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_STREQ(items[0].text, "first");
  EXPECT_STREQ(items[1].text, "second");
  EXPECT_EQ(items[1].serial, SerialFromDate(2007, 3, 16));
  EXPECT_STREQ(items[2].text, "third");
  items = Parse("$20070315\nfirst\n$20070230\nnot an item\n$20070317\nthird\n");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_STREQ(items[1].text, "third");
}

TEST(TemporarySchedules, TextsAreCutOnACharacter) {
  const std::string forty(39, 'a');
  auto items = Parse("$20070315\n" + forty + "あいう\n");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(std::string(items[0].text), forty);  // the double-byte character does not fit
  items = Parse("$20070315\nab\x82");  // a lone lead byte at the end of the file
  ASSERT_EQ(items.size(), 1u);
  EXPECT_STREQ(items[0].text, "ab");
  items = Parse("$20070315\n" + std::string(5000, 'x') + "\n");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(std::string(items[0].text), std::string(40, 'x'));
}

TEST(TemporarySchedules, SixtyFourItemsAtMost) {
  std::string text;
  for (int i = 0; i < kMaxTemporaryItems + 1; ++i) text += "$20070315\nitem " + std::to_string(i) + "\n-\n";
  const auto items = Parse(text);
  ASSERT_EQ(items.size(), static_cast<size_t>(kMaxTemporaryItems));
  EXPECT_STREQ(items.back().text, "item 63");
}

TEST(TemporarySchedules, AnItemOf2000EndsTheListForLookups) {
  const auto items = Parse("$20070315\nbefore\n-\n$20001231\nold\n-\n$20070315\nafter\n");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_LE(items[1].serial, 0);
  EXPECT_EQ(ListedTemporaryItems(items).size(), 1u);
  const TemporaryItem* found = nullptr;
  const SerialDay day = SerialFromDate(2007, 3, 15);
  const int next = FindTemporaryItem(items, day, 0, &found);
  ASSERT_EQ(next, 1);
  EXPECT_STREQ(found->text, "before");
  EXPECT_EQ(FindTemporaryItem(items, day, next, &found), -1);
}

TEST(TemporarySchedules, FindWalksTheDaysItemsInFileOrder) {
  const auto items = Parse("$20070315\na\n-\n$20070316\nb\n-\n$20070315\nc\n");
  const SerialDay day = SerialFromDate(2007, 3, 15);
  std::string seen;
  const TemporaryItem* found = nullptr;
  for (int at = FindTemporaryItem(items, day, 0, &found); at > 0;
       at = FindTemporaryItem(items, day, at, &found)) {
    seen += found->text;
  }
  EXPECT_EQ(seen, "ac");
}

TEST(TemporarySchedules, ALargeFileStillGivesItsItems) {
  std::string text(10u << 20, 'z');
  for (size_t at = 4999; at < text.size(); at += 5000) text[at] = '\n';
  text += "\n$20070315\nat the end\n";
  const auto items = Parse(text);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_STREQ(items[0].text, "at the end");
}

TEST(TemporarySchedules, DefaultColoursAndEditorCommand) {
  EXPECT_EQ(TemporaryDefaultColors(-1, -1, 0x11, 0x22).text, 0x11);
  EXPECT_EQ(TemporaryDefaultColors(-1, -1, 0x11, 0x22).back, 0x22);
  EXPECT_EQ(TemporaryDefaultColors(0x33, -1, 0x11, 0x22).text, 0x33);
  EXPECT_EQ(TemporaryDefaultColors(0x33, -1, 0x11, 0x22).back, -1);
  EXPECT_EQ(EditorCommandLine("", "C:\\data\\Hiyomi_Data.dat"), "notepad.exe C:\\data\\Hiyomi_Data.dat");
  EXPECT_EQ(EditorCommandLine("myedit.exe x.txt", "C:\\a.dat"), "myedit.exe x.txt");
}

// Only a file that was there and would not read whole is told.
TEST(TemporarySchedules, ReadFailuresThatAreTold) {
  EXPECT_EQ(TemporaryReadMessage(ReadOutcome::kRead), nullptr);
  EXPECT_EQ(TemporaryReadMessage(ReadOutcome::kNotOpened), nullptr);
  EXPECT_STREQ(TemporaryReadMessage(ReadOutcome::kNoMemory), "作業領域確保に失敗しました。　　");
  EXPECT_STREQ(TemporaryReadMessage(ReadOutcome::kCutShort), "データファイルが読み込めませんでした。　　");
}

}  // namespace
}  // namespace hiyomi
