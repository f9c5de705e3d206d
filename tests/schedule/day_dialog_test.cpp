// DAYDLG and DAYEXDLG from their real templates, driven by messages; every
// case reads the year file back from disk.
#include <gtest/gtest.h>

#include <colordlg.h>

#include <cstring>
#include <utility>

#include "resources/colordlg_ids.h"
#include "resources/dayexdlg_ids.h"
#include "resources/daydlg_ids.h"
#include "resources/passdlg_ids.h"
#include "resources/typedlg_ids.h"
#include "resources/udatdlg_ids.h"
#include "schedule/day_dialog.h"
#include "schedule/day_span_dialog.h"
#include "schedule_dialog_fixture.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "日個別設定";

int Row(int base, int row) { return base + IDC_DAY_ROW_STEP * row; }

class DayDialogTest : public ScheduleDialogTest {
 protected:
  DayDialogTest() : ScheduleDialogTest("day-dialog") {}

  int Run(SerialDay day, std::function<void(HWND)> driver) {
    DriveNextDialog(kTitle, std::move(driver));
    return RunDayDialog(nullptr, day, Data());
  }
  static void Type(HWND d, int base, int row, const char* text) { SetDlgItemTextA(d, Row(base, row), text); }
  static std::string Shown(HWND d, int base, int row) { return Text(d, Row(base, row)); }
};

TEST(DayRowSort, KeysAndShellSortKeepEqualRowsInPlace) {
  EXPECT_EQ(RowSortKey(3), 3);
  EXPECT_EQ(RowSortKey(-1), 1);
  EXPECT_EQ(RowSortKey(0), 10000);
  int keys[kEntriesPerDay] = {3, 1, 10000, 2, 10000, 1, 10000, 10000};
  int from[kEntriesPerDay];
  SortRowsByKey(keys, from);
  const int expected[kEntriesPerDay] = {1, 5, 3, 0, 2, 4, 6, 7};
  for (int i = 0; i < kEntriesPerDay; ++i) EXPECT_EQ(from[i], expected[i]) << i;
}

TEST(DayRowSort, TypedOrdersKeepTheirSignWithinTheField) {
  struct Case {
    const char* typed;
    int stored;
  } cases[] = {{"3", 3},     {"-1", -1},   {"127", 127}, {"128", 127}, {"256", 127},
               {"9999", 127}, {"-128", -128}, {"-999", -128}, {"", 0},    {"-", 0}};
  for (const Case& c : cases) EXPECT_EQ(OrderFromText(c.typed), c.stored) << c.typed;
}

TEST_F(DayDialogTest, SortPutsHiddenFirstByMagnitudeAndEmptyRowsLast) {
  const SerialDay day = Day(3, 4);
  WriteYear({DayWith(day, {{}, {}, {.text = "emptied"}})});
  OpenStore();
  const int result = Run(day, [](HWND d) {
    const char* orders[] = {"3", "-1", "5", "2"};
    const char* texts[] = {"three", "hidden", "", "two"};
    for (int row = 0; row < 4; ++row) {
      Type(d, IDE_DAY_ORDER_BASE, row, orders[row]);
      Type(d, IDE_DAY_TEXT_BASE, row, texts[row]);
    }
    Click(d, IDB_DAY_SORT);
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 0), "-1");
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "hidden");
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 1), "2");
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 2), "3");
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 2), "three");
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 3), "0");
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 3), "");
    Click(d, IDB_DAY_OK);
  });
  EXPECT_EQ(result, 0);
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(r.entries[0].order, -1);
  EXPECT_EQ(EntryText(r.entries[0]), "hidden");
  EXPECT_EQ(r.entries[1].order, 2);
  EXPECT_EQ(r.entries[2].order, 3);
  for (int k = 3; k < kEntriesPerDay; ++k) EXPECT_EQ(r.entries[k].order, 0) << k;
}

TEST_F(DayDialogTest, ZeroOrEmptyClearsARowAndWideOrdersAreClamped) {
  const SerialDay day = Day(5, 1);
  WriteYear({DayWith(day, {{.order = 1, .text = "keep"}, {.order = 2, .text = "drop"},
                           {.order = 3, .text = "big"}, {.order = 4, .text = "small"},
                           {.order = 5, .text = "blank order"}})});
  OpenStore();
  Run(day, [](HWND d) {
    Type(d, IDE_DAY_ORDER_BASE, 1, "0");
    Type(d, IDE_DAY_ORDER_BASE, 2, "256");
    Type(d, IDE_DAY_ORDER_BASE, 3, "-999");
    Type(d, IDE_DAY_ORDER_BASE, 4, "");
    Click(d, IDB_DAY_OK);
  });
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(r.entries[0]), "keep");
  EXPECT_EQ(r.entries[1].order, 127);
  EXPECT_EQ(EntryText(r.entries[1]), "big");
  EXPECT_EQ(r.entries[2].order, -128);
  EXPECT_EQ(EntryText(r.entries[2]), "small");
  for (int k = 3; k < kEntriesPerDay; ++k) {
    EXPECT_EQ(r.entries[k].order, 0) << k;
    EXPECT_EQ(EntryText(r.entries[k]), "") << k;
    EXPECT_EQ(r.entries[k].textColor, -1) << k;
  }
}

TEST_F(DayDialogTest, ReopeningRenumbersTheRowsWithTheirSigns) {
  const SerialDay day = Day(6, 7);
  WriteYear({DayWith(day, {{.order = 5, .text = "a", .mark = '*'}, {.order = -40, .text = "b"},
                           {.order = 9, .text = "c", .span = 2}})});
  OpenStore();
  Run(day, [](HWND d) {
    const char* expected[] = {"1", "-2", "3", "4", "5", "6", "7", "8"};
    for (int row = 0; row < kEntriesPerDay; ++row) EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, row), expected[row]);
    EXPECT_EQ(Shown(d, IDE_DAY_MARK_BASE, 0), "*");
    EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 0), " 0");
    EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 2), " 3");
    EXPECT_EQ(Text(d, IDC_DAY_DATE).find("2026年 06月 07日"), 1u);
    Click(d, IDB_DAY_OK);
  });
  // Stored with the numbers it showed.
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(r.entries[0].order, 1);
  EXPECT_EQ(r.entries[0].mark, '*');
  EXPECT_EQ(r.entries[1].order, -2);
  EXPECT_EQ(r.entries[2].order, 3);
  EXPECT_EQ(r.entries[2].span, 2);
}

TEST_F(DayDialogTest, MovingOntoADayWithDataAsksAndNoChangesNothing) {
  const SerialDay from = Day(7, 1);
  const SerialDay onto = Day(7, 8);
  WriteYear({DayWith(from, {{.text = "from"}}), DayWith(onto, {{.text = "onto"}})});
  OpenStore();
  const Bytes before = ReadBytes(YearFileName(dir_.Base(), kYear));
  answers_ = {false, true};
  const int result = Run(from, [&](HWND d) {
    EXPECT_EQ(prompts_.Owner(), d);  // the store's question is modal to the dialog
    SetPicker(d, IDC_DAY_DATE, onto);
    Click(d, IDB_DAY_MOVE);
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(ReadBytes(YearFileName(dir_.Base(), kYear)), before);
    Click(d, IDB_DAY_MOVE);
  });
  EXPECT_EQ(messages_, (std::vector<std::string>{"変更した日付には登録データが存在します。上書きしますか？",
                                                 "変更した日付には登録データが存在します。上書きしますか？"}));
  EXPECT_EQ(result, onto);
  EXPECT_EQ(prompts_.Owner(), nullptr);
  DayRecord r;
  EXPECT_FALSE(OnDisk(from, r));
  EXPECT_EQ(EntryText(MustBeOnDisk(onto).entries[0]), "from");
}

TEST_F(DayDialogTest, OkUnderAnotherDateCopiesTheDay) {
  const SerialDay from = Day(8, 3);
  const SerialDay onto = Day(8, 20);
  WriteYear({DayWith(from, {{.text = "both"}})});
  OpenStore();
  const int result = Run(from, [&](HWND d) {
    SetPicker(d, IDC_DAY_DATE, onto);
    Click(d, IDB_DAY_OK);
  });
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(result, onto);
  EXPECT_EQ(EntryText(MustBeOnDisk(from).entries[0]), "both");
  EXPECT_EQ(EntryText(MustBeOnDisk(onto).entries[0]), "both");
}

TEST_F(DayDialogTest, ClearEmptiesTheRowsAndOkRemovesTheDay) {
  const SerialDay day = Day(9, 9);
  const SerialDay other = Day(9, 10);
  WriteYear({DayWith(day, {{.text = "x"}, {.text = "y"}}), DayWith(other, {{.text = "stays"}})});
  OpenStore();
  answers_ = {false, true};
  Run(day, [](HWND d) {
    Click(d, IDB_DAY_CLEAR);
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "x");  // "No": nothing changes
    Click(d, IDB_DAY_CLEAR);
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "");
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 0), "1");
    Click(d, IDB_DAY_OK);
  });
  EXPECT_EQ(messages_, (std::vector<std::string>{"データをクリアしますか？", "データをクリアしますか？"}));
  DayRecord r;
  EXPECT_FALSE(OnDisk(day, r));
  EXPECT_TRUE(OnDisk(other, r));
}

// Keys posted to the focused control reach it through the dialog's loop,
// as typed keys do.
void TypeIntoFocus(const char* text) {
  HWND focus = GetFocus();
  for (const char* c = text; *c != '\0'; ++c) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(*c), 1);
  PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
}

TEST_F(DayDialogTest, TheCaretWaitsInTheFirstEmptyRowAndEnterConfirms) {
  std::vector<EntryFields> full;
  for (int k = 0; k < kEntriesPerDay; ++k) full.push_back({.text = "busy"});
  struct Case {
    std::vector<EntryFields> rows;
    int caretRow;
  } cases[] = {{{}, 0},
               {{{.text = "one"}, {.text = "two"}}, 2},
               {{{.text = "one"}, {.order = 2, .text = ""}, {.text = "three"}}, 1},
               {full, 0}};
  SerialDay day = Day(11, 2);
  for (const Case& c : cases) {
    ++day;
    WriteYear({DayWith(day, c.rows)});
    OpenStore();
    const int result = Run(day, [&](HWND d) {
      EXPECT_EQ(GetFocus(), GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, c.caretRow))) << c.caretRow;
      SendMessageA(GetFocus(), EM_SETSEL, 0, -1);
      TypeIntoFocus("typed");
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(EntryText(MustBeOnDisk(day).entries[c.caretRow]), "typed") << c.caretRow;
  }
}

TEST_F(DayDialogTest, CancelStoresNothing) {
  const SerialDay day = Day(2, 2);
  WriteYear({DayWith(day, {{.text = "as it was"}})});
  OpenStore();
  const Bytes before = ReadBytes(YearFileName(dir_.Base(), kYear));
  EXPECT_EQ(Run(day, [](HWND d) {
              Type(d, IDE_DAY_TEXT_BASE, 0, "changed");
              Click(d, IDB_DAY_CANCEL);
            }),
            0);
  EXPECT_EQ(ReadBytes(YearFileName(dir_.Base(), kYear)), before);
}

TEST_F(DayDialogTest, CopyToEachDayWritesTheNextDaysWithSpanZero) {
  const SerialDay day = Day(10, 5);
  std::vector<EntryFields> full;
  for (int k = 0; k < kEntriesPerDay; ++k) full.push_back({.text = "busy"});
  WriteYear({DayWith(day + 2, full)});
  OpenStore();
  Run(day, [&](HWND d) {
    Type(d, IDE_DAY_TEXT_BASE, 0, "会議");
    Type(d, IDE_DAY_TEXT_BASE, 1, "旅行");
    DriveNextDialog("連続設定", [&](HWND ex) {
      EXPECT_EQ(Text(ex, IDT_SPAN_TEXT), "会議");
      EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), "1");
      EXPECT_EQ(IsDlgButtonChecked(ex, IDR_SPAN_PERIOD), BST_CHECKED);
      SetDlgItemTextA(ex, IDE_SPAN_DAYS, "5");
      EXPECT_EQ(Picked(ex, IDC_SPAN_END), day + 4);
      Click(ex, IDR_SPAN_COPY);
      Click(ex, IDX_SPAN_OVERWRITE_LAST);
      Click(ex, IDB_SPAN_OK);
    });
    Click(d, Row(IDB_DAY_SPAN_BASE, 0));
    EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 0), " 5");
    DriveNextDialog("連続設定", [&](HWND ex) {
      SetPicker(ex, IDC_SPAN_END, day + 2);
      NMHDR change{GetDlgItem(ex, IDC_SPAN_END), IDC_SPAN_END, static_cast<UINT>(DTN_DATETIMECHANGE)};
      SendMessageA(ex, WM_NOTIFY, IDC_SPAN_END, reinterpret_cast<LPARAM>(&change));
      EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), "3");
      Click(ex, IDB_SPAN_OK);
    });
    Click(d, Row(IDB_DAY_SPAN_BASE, 1));
    EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 1), " 3");
    Click(d, IDB_DAY_OK);
  });
  const DayRecord start = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(start.entries[0]), "会議");
  EXPECT_EQ(start.entries[0].span, 0);
  EXPECT_EQ(start.entries[1].span, 2);  // a period schedule keeps its span
  for (int ahead = 1; ahead <= 4; ++ahead) {
    const DayRecord r = MustBeOnDisk(day + ahead);
    const int slot = ahead == 2 ? kEntriesPerDay - 1 : 0;  // the full day gave up its last slot
    EXPECT_EQ(EntryText(r.entries[slot]), "会議") << ahead;
    EXPECT_EQ(r.entries[slot].span, 0) << ahead;
  }
  DayRecord past;
  EXPECT_FALSE(OnDisk(day + 5, past));
}

TEST_F(DayDialogTest, SpanDialogReopensAsCopiesAndCancelKeepsTheRow) {
  int32_t span = -4;
  bool overwrite = true;
  DriveNextDialog("連続設定", [](HWND ex) {
    EXPECT_EQ(IsDlgButtonChecked(ex, IDR_SPAN_COPY), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(ex, IDX_SPAN_OVERWRITE_LAST), BST_CHECKED);
    EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), "5");
    EXPECT_EQ(Text(ex, IDT_SPAN_START), " 2026年 12月 10日  木曜日");  // as the day's picker writes it
    Click(ex, IDB_SPAN_CANCEL);
  });
  EXPECT_EQ(RunDaySpanDialog(nullptr, "x", Day(12, 10), span, overwrite), 0);
  EXPECT_EQ(span, -4);
  DriveNextDialog("連続設定", [](HWND ex) {
    SetDlgItemTextA(ex, IDE_SPAN_DAYS, "0");
    Click(ex, IDR_SPAN_PERIOD);
    Click(ex, IDB_SPAN_OK);
  });
  EXPECT_EQ(RunDaySpanDialog(nullptr, "x", Day(12, 10), span, overwrite), 1);
  EXPECT_EQ(span, 0);
  EXPECT_FALSE(overwrite);
}

// The latest end day the span dialog's picker offers.
SerialDay LatestEnd(HWND ex) {
  SYSTEMTIME range[2] = {};
  SendDlgItemMessageA(ex, IDC_SPAN_END, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
  return SerialFromDate(range[1].wYear, range[1].wMonth, range[1].wDay);
}

TEST_F(DayDialogTest, SpanDialogShowsTheTrueCountAndItsPickerStaysWithinIt) {
  struct Case {
    int32_t stored;
    SerialDay start;
    const char* caption;  // the row's "Ex" before and after OK
    const char* count;
    SerialDay latest;
  } cases[] = {{0, Day(5, 10), " 0", "1", Day(5, 10) + 98},
               {-4, Day(5, 11), " 5", "5", Day(5, 11) + 98},
               {98, Day(5, 12), "99", "99", Day(5, 12) + 98},
               {150, Day(5, 13), "151", "151", Day(5, 13) + 150}};
  for (const Case& c : cases) {
    WriteYear({DayWith(c.start, {{.text = "span", .span = c.stored}})});
    OpenStore();
    Run(c.start, [&](HWND d) {
      EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 0), c.caption) << c.stored;
      const std::string picker = Text(d, IDC_DAY_DATE);
      DriveNextDialog("連続設定", [&](HWND ex) {
        EXPECT_EQ(Text(ex, IDT_SPAN_START), picker) << c.stored;
        EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), c.count) << c.stored;
        EXPECT_EQ(LatestEnd(ex), c.latest) << c.stored;
        Click(ex, IDB_SPAN_OK);
      });
      Click(d, Row(IDB_DAY_SPAN_BASE, 0));
      EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 0), c.caption) << c.stored;
      Click(d, IDB_DAY_OK);
    });
    // OK without a change keeps the span, however long.
    const int32_t kept = c.stored < 0 ? 0 : c.stored;  // copies are spread and stored with span 0
    EXPECT_EQ(MustBeOnDisk(c.start).entries[0].span, kept) << c.stored;
  }
}

TEST_F(DayDialogTest, SpanDialogCountsTheDaysToThePickedEnd) {
  int32_t span = 0;
  bool overwrite = false;
  const SerialDay start = Day(1, 5);
  DriveNextDialog("連続設定", [&](HWND ex) {
    for (const SerialDay end : {start + 98, start + 40}) {
      SetPicker(ex, IDC_SPAN_END, end);
      NMHDR change{GetDlgItem(ex, IDC_SPAN_END), IDC_SPAN_END, static_cast<UINT>(DTN_DATETIMECHANGE)};
      SendMessageA(ex, WM_NOTIFY, IDC_SPAN_END, reinterpret_cast<LPARAM>(&change));
      EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), std::to_string(end - start + 1));
    }
    Click(ex, IDB_SPAN_OK);
  });
  EXPECT_EQ(RunDaySpanDialog(nullptr, "x", start, span, overwrite), 1);
  EXPECT_EQ(span, 40);
  // Near the end of the range the picker stops at the last day.
  span = -120;
  DriveNextDialog("連続設定", [](HWND ex) {
    EXPECT_EQ(Text(ex, IDE_SPAN_DAYS), "121");
    EXPECT_EQ(LatestEnd(ex), kLastSerial);
    Click(ex, IDB_SPAN_CANCEL);
  });
  EXPECT_EQ(RunDaySpanDialog(nullptr, "x", SerialFromDate(2099, 12, 1), span, overwrite), 0);
}

TEST_F(DayDialogTest, TextsStayWithinFortyBytesWithoutSplittingACharacter) {
  OpenStore();
  const SerialDay day = Day(4, 4);
  std::string wide;
  for (int i = 0; i < 21; ++i) wide += "あ";
  const std::string odd = "a" + wide;
  Run(day, [&](HWND d) {
    // Typed (a replacement of the selection) and set as a whole.
    SendDlgItemMessageA(d, Row(IDE_DAY_TEXT_BASE, 0), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    Type(d, IDE_DAY_TEXT_BASE, 1, odd.c_str());
    Type(d, IDE_DAY_MARK_BASE, 2, "あ");
    Type(d, IDE_DAY_TEXT_BASE, 2, "m");
    Type(d, IDE_DAY_MARK_BASE, 3, "#x");
    Type(d, IDE_DAY_TEXT_BASE, 3, "n");
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), wide.substr(0, 40));
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 1), odd.substr(0, 39));
    EXPECT_EQ(Shown(d, IDE_DAY_MARK_BASE, 2), "");
    EXPECT_EQ(Shown(d, IDE_DAY_MARK_BASE, 3), "#");
    Click(d, IDB_DAY_OK);
  });
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(r.entries[0]), wide.substr(0, 40));
  EXPECT_EQ(EntryText(r.entries[1]), odd.substr(0, 39));
  EXPECT_EQ(r.entries[2].mark, 0);
  EXPECT_EQ(r.entries[3].mark, '#');
}

// The colour a sample paints just inside its box, and whether `color`
// appears anywhere in it (the glyph of " 色 ").
struct SamplePixels {
  COLORREF corner;
  bool hasText;
};

SamplePixels PaintedSample(HWND dialog, int id, COLORREF text) {
  RECT box;
  GetWindowRect(GetDlgItem(dialog, id), &box);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  RECT client;
  GetClientRect(dialog, &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH gray = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(dc, &client, gray);
  DeleteObject(gray);
  SendMessageA(dialog, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SamplePixels p{GetPixel(dc, box.left + 1, box.top + 1), false};
  for (int y = box.top; y < box.bottom && !p.hasText; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (GetPixel(dc, x, y) == text) {
        p.hasText = true;
        break;
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return p;
}

TEST_F(DayDialogTest, SamplesShowTheEffectiveColoursAndFollowTheLists) {
  settings_.WriteString("Type1", "Work,0x00FF00,0x0000FF");
  settings_.WriteString("Color1", "Red,0x0000FF");
  settings_.WriteString("Color11", "Yellow,0x00FFFF");
  categories_.Load(settings_, nullptr);
  colorSets_.Load(settings_, nullptr);
  const SerialDay day = Day(11, 11);
  WriteYear({DayWith(day, {{.category = 0, .text = "cat"},
                           {.category = 0, .text = "own", .textColor = 0xFF0000, .backColor = 0x00FFFF},
                           {.category = 255, .text = "none"}})});
  OpenStore();
  chooserColor_ = 0x808000;
  Run(day, [](HWND d) {
    const COLORREF untouched = RGB(1, 2, 3);
    SamplePixels p = PaintedSample(d, Row(IDT_DAY_ROW_SAMPLE_BASE, 0), 0x00FF00);
    EXPECT_EQ(p.corner, 0x0000FFu);
    EXPECT_TRUE(p.hasText);
    p = PaintedSample(d, Row(IDT_DAY_ROW_SAMPLE_BASE, 1), 0xFF0000);
    EXPECT_EQ(p.corner, 0x00FFFFu);
    EXPECT_TRUE(p.hasText);
    p = PaintedSample(d, Row(IDT_DAY_ROW_SAMPLE_BASE, 2), 0x000000);
    EXPECT_EQ(p.corner, untouched);
    EXPECT_TRUE(p.hasText);
    EXPECT_EQ(PaintedSample(d, IDT_DAY_SAMPLE, 0).corner, untouched);
    // Picks go straight into the samples: a set colour, then "指定".
    Select(d, IDC_DAY_BACK_COLOR, 1);
    EXPECT_EQ(PaintedSample(d, IDT_DAY_SAMPLE, 0).corner, 0x00FFFFu);
    Select(d, Row(IDC_DAY_ROW_BACK_COLOR_BASE, 2), 2);
    EXPECT_EQ(PaintedSample(d, Row(IDT_DAY_ROW_SAMPLE_BASE, 2), 0).corner, 0x808000u);
    Select(d, Row(IDC_DAY_CATEGORY_BASE, 2), 0);
    Select(d, Row(IDC_DAY_ROW_TEXT_COLOR_BASE, 1), 1);
    Click(d, IDB_DAY_OK);
  });
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(r.dayBackColor, 0x00FFFF);
  EXPECT_EQ(r.dayTextColor, -1);
  EXPECT_EQ(r.entries[1].textColor, 0x0000FF);
  EXPECT_EQ(r.entries[2].backColor, 0x808000);
  EXPECT_EQ(r.entries[2].category, 0);
}

TEST_F(DayDialogTest, WithoutRecordRoomTheDialogDoesNotOpen) {
  EXPECT_EQ(RunDayDialog(nullptr, Day(1, 1), Data()), 0);
  EXPECT_EQ(messages_, std::vector<std::string>{"データ領域を確保できませんでした。　　"});
}

class DaySecretTest : public DayDialogTest {
 protected:
  // `text` enciphered under `password`, as the store keeps it.
  std::string Sealed(const char* text, const char* password) {
    SecretTexts sealer;
    sealer.Cipher().DeriveKey(password);
    sealer.SetLockState(kUnlocked);
    ScheduleEntry e = MakeEntry(text);
    struct NoPrompts : SecretPrompts {
      void Tell(const char*) noexcept override {}
      bool AskYesNo(const char*) noexcept override { return false; }
      void AskForPassword() noexcept override {}
    } none;
    sealer.EncipherText(e.text, none);
    return std::string(e.text, sizeof e.text - 1);
  }
  static std::string Field(const ScheduleEntry& e) { return std::string(e.text, sizeof e.text - 1); }
};

TEST_F(DaySecretTest, UnlockedTextsAreEditedPlainAndStoredEnciphered) {
  secrets_.Cipher().DeriveKey("pw");
  secrets_.SetLockState(kUnlocked);
  const SerialDay day = Day(1, 20);
  const std::string mine = Sealed("&abc", "pw");
  const std::string foreign = Sealed("&other", "not pw");
  WriteYear({DayWith(day, {{.text = mine}, {.text = foreign}, {.text = "plain"}})});
  OpenStore();
  Run(day, [](HWND d) {
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "&abc");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, 0))));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, 1))));
    Type(d, IDE_DAY_TEXT_BASE, 2, "&new");
    Click(d, IDB_DAY_OK);
  });
  EXPECT_TRUE(messages_.empty());
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(Field(r.entries[0]), mine);
  EXPECT_EQ(Field(r.entries[1]), foreign);
  EXPECT_EQ(Field(r.entries[2]), Sealed("&new", "pw"));
}

TEST_F(DaySecretTest, LockedTextsAskOnceAndAreStoredBackUnchanged) {
  secrets_.SetLockState(kLocked);
  const SerialDay day = Day(1, 21);
  const std::string first = Sealed("&one", "pw");
  const std::string second = Sealed("&two", "pw");
  WriteYear({DayWith(day, {{.text = first}, {.text = "open"}, {.text = second}})});
  OpenStore();
  DriveNextDialog("パスワード入力", [this, day](HWND pass) {
    Click(pass, IDB_PASS_CANCEL);
    DriveNextDialog(kTitle, [](HWND d) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, 0))));
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, 2))));
      Type(d, IDE_DAY_TEXT_BASE, 1, "edited");
      Type(d, IDE_DAY_TEXT_BASE, 3, "&new one");
      Type(d, IDE_DAY_TEXT_BASE, 4, "&new two");
      // Storing asks once for a password to encipher with; cancelled.
      DriveNextDialog("パスワード入力", [](HWND again) { Click(again, IDB_PASS_CANCEL); });
      Click(d, IDB_DAY_OK);
    });
    (void)day;
  });
  RunDayDialog(nullptr, day, Data());
  // The unregistered password is not offered for registering ("No").
  EXPECT_EQ(messages_, (std::vector<std::string>{"暗号化された情報があります。パスワードを入力してください。　　",
                                                 "パスワード未登録です。登録しますか？　　",
                                                 "暗号化用のパスワードを入力してください。　　",
                                                 "パスワード未登録です。登録しますか？　　"}));
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(Field(r.entries[0]), first);
  EXPECT_EQ(EntryText(r.entries[1]), "edited");
  EXPECT_EQ(Field(r.entries[2]), second);
  EXPECT_EQ(EntryText(r.entries[3]), "&new one");  // no key: kept plain
  EXPECT_EQ(EntryText(r.entries[4]), "&new two");
}

TEST_F(DaySecretTest, ThePromptUnlocksTheRowsForEditing) {
  settings_.WriteString("Pass", FormatVerifier(CheckValueOf("pw"), 7).c_str(), kDefaultSection);
  secrets_.SetLockState(kLocked);
  const SerialDay day = Day(1, 22);
  WriteYear({DayWith(day, {{.text = Sealed("&one", "pw")}, {.text = Sealed("&two", "pw")}})});
  OpenStore();
  DriveNextDialog("パスワード入力", [](HWND pass) {
    SetDlgItemTextA(pass, IDE_PASS_PASSWORD, "pw");
    Click(pass, IDB_PASS_OK);
    DriveNextDialog(kTitle, [](HWND d) {
      EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "&one");
      EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 1), "&two");
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, Row(IDE_DAY_TEXT_BASE, 1))));
      Type(d, IDE_DAY_TEXT_BASE, 1, "&zwei");
      Click(d, IDB_DAY_OK);
    });
  });
  RunDayDialog(nullptr, day, Data());
  EXPECT_EQ(secrets_.LockState(), kUnlocked);
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(Field(r.entries[1]), Sealed("&zwei", "pw"));
}

TEST_F(DayDialogTest, UndatedEntriesGoIntoTheFirstFreeRowAndBack) {
  const SerialDay day = Day(3, 3);
  WriteYear({DayWith(day, {{.text = "first"}, {.order = 2, .text = ""}, {.text = "third"}})});
  OpenStore();
  undated_.entries[0] = MakeEntry("someday");
  undated_.entries[0].span = 3;
  undated_.entries[0].textColor = 0x0000FF;
  Run(day, [this](HWND d) {
    Click(d, IDB_DAY_UNDATED);
    HWND u = FindWindowA("#32770", "未定データ設定");
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(GetWindow(u, GW_OWNER), d);
    EXPECT_EQ(GetFocus(), GetDlgItem(u, IDE_UDAT_TEXT_BASE + IDC_UDAT_ROW_STEP));  // entry 0 has a text
    Type(d, IDE_DAY_ORDER_BASE, 2, "0");  // row 2 now counts as free too, but row 1 comes first
    Click(u, IDB_UDAT_MOVE);
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 1), "someday");
    EXPECT_EQ(Shown(d, IDE_DAY_ORDER_BASE, 1), "2");
    EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE), "");
    // Take row 3 ("third") back into entry 1.
    Click(u, IDR_UDAT_CURRENT_BASE + 1);
    SendDlgItemMessageA(u, IDC_UDAT_DAY_ROW, CB_SETCURSEL, 2, 0);
    Type(d, IDE_DAY_TEXT_BASE, 2, "third, edited");
    Click(u, IDB_UDAT_TAKE);
    EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE + IDC_UDAT_ROW_STEP), "third, edited");
    Click(d, IDB_DAY_OK);
    EXPECT_FALSE(IsWindow(u));
  });
  EXPECT_EQ(EntryText(undated_.entries[0]), "");
  EXPECT_EQ(undated_.entries[0].order, 1);
  EXPECT_EQ(EntryText(undated_.entries[1]), "third, edited");
  EXPECT_EQ(undated_.entries[1].span, 0);
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(r.entries[0]), "first");
  EXPECT_EQ(EntryText(r.entries[1]), "someday");
  EXPECT_EQ(r.entries[1].order, 2);
  EXPECT_EQ(r.entries[1].span, 0);
  EXPECT_EQ(r.entries[1].textColor, 0x0000FF);
  // Row 2 had its order set to 0 and was cleared on OK.
  EXPECT_EQ(r.entries[2].order, 0);
}

TEST_F(DayDialogTest, TheAttachedDialogTakesItsKeys) {
  OpenStore();
  Run(Day(3, 6), [](HWND d) {
    Click(d, IDB_DAY_UNDATED);
    HWND u = FindWindowA("#32770", "未定データ設定");
    ASSERT_NE(u, nullptr);
    HWND first = GetDlgItem(u, IDE_UDAT_TEXT_BASE);
    SetFocus(first);
    // Through the day dialog's own message loop, as typed keys come.
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    DriveNextDialog(kTitle, [u, first](HWND again) {
      EXPECT_NE(GetFocus(), first);
      EXPECT_EQ(GetParent(GetFocus()), u);
      Click(again, IDB_DAY_CANCEL);
    });
  });
}

TEST_F(DayDialogTest, AFullDayRefusesAnUndatedEntry) {
  const SerialDay day = Day(3, 5);
  std::vector<EntryFields> full;
  for (int k = 0; k < kEntriesPerDay; ++k) full.push_back({.text = "busy"});
  WriteYear({DayWith(day, full)});
  OpenStore();
  undated_.entries[0] = MakeEntry("waiting");
  Run(day, [](HWND d) {
    Click(d, IDB_DAY_UNDATED);
    HWND u = FindWindowA("#32770", "未定データ設定");
    ASSERT_NE(u, nullptr);
    Click(u, IDB_UDAT_MOVE);
    EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE), "waiting");
    Click(d, IDB_DAY_CANCEL);
    EXPECT_FALSE(IsWindow(u));
  });
  EXPECT_EQ(messages_, std::vector<std::string>{"指定日には空き領域がありません。　　"});
  EXPECT_EQ(EntryText(undated_.entries[0]), "waiting");
}

// The attached pair with real boxes: no answer is scripted, the boxes come
// up and are answered from outside while the other dialog is tried with the
// real mouse.
class DayPairTest : public DayDialogTest {
 protected:
  DayPairTest() { SetMessageAnswererForTests(nullptr); }
  static HWND OpenUndated(HWND d) {
    Click(d, IDB_DAY_UNDATED);
    return FindWindowA("#32770", "未定データ設定");
  }
};

TEST_F(DayPairTest, WhileTheUndatedDialogAsksTheDayDialogCannotCloseIt) {
  const SerialDay day = Day(3, 12);
  std::vector<EntryFields> full;
  for (int k = 0; k < kEntriesPerDay; ++k) full.push_back({.text = "busy"});
  WriteYear({DayWith(day, full)});
  OpenStore();
  undated_.entries[0] = MakeEntry("waiting");
  bool answered = false;
  Run(day, [&](HWND d) {
    HWND u = OpenUndated(d);
    ASSERT_NE(u, nullptr);
    AnswerNextBox("指定日には空き領域がありません。　　", [&, d, u](HWND box) {
      EXPECT_EQ(GetWindow(box, GW_OWNER), u);
      EXPECT_FALSE(IsWindowEnabled(u));
      EXPECT_FALSE(IsWindowEnabled(d));
      for (int id : {IDB_DAY_OK, IDB_DAY_CANCEL, IDB_DAY_UNDATED}) {
        ClickWithTheMouse(GetDlgItem(d, id));
        EXPECT_TRUE(IsWindow(u)) << id;
        EXPECT_TRUE(IsWindow(box)) << id;
      }
      answered = true;
      Click(box, IDOK);
    });
    Click(u, IDB_UDAT_MOVE);
    EXPECT_TRUE(IsWindowEnabled(d));
    EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE), "waiting");
    Click(d, IDB_DAY_CANCEL);
    EXPECT_FALSE(IsWindow(u));
  });
  EXPECT_TRUE(answered);
  EXPECT_EQ(EntryText(undated_.entries[0]), "waiting");
}

TEST_F(DayPairTest, WhileTheDayDialogAsksTheUndatedDialogCannotMoveIntoItsRows) {
  struct Case {
    const char* question;
    int button;  // of the day dialog, asking the question
    bool moves;  // to another date that has data
  } cases[] = {{"変更した日付には登録データが存在します。上書きしますか？", IDB_DAY_MOVE, true},
               {"データをクリアしますか？", IDB_DAY_CLEAR, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    const SerialDay from = Day(7, 14);
    const SerialDay onto = Day(7, 21);
    WriteYear({DayWith(from, {{.text = "from"}}), DayWith(onto, {{.text = "onto"}})});
    OpenStore();
    undated_.entries[0] = MakeEntry("someday");
    bool answered = false;
    Run(from, [&](HWND d) {
      HWND u = OpenUndated(d);
      ASSERT_NE(u, nullptr);
      if (c.moves) SetPicker(d, IDC_DAY_DATE, onto);
      AnswerNextBox(c.question, [&, d, u](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), d);
        EXPECT_FALSE(IsWindowEnabled(d));
        EXPECT_FALSE(IsWindowEnabled(u));
        ClickWithTheMouse(GetDlgItem(u, IDB_UDAT_MOVE));
        EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE), "someday");
        answered = true;
        SendMessageA(box, WM_COMMAND, IDYES, 0);
      });
      Click(d, c.button);
      if (IsWindow(d) && !c.moves) {
        EXPECT_TRUE(IsWindowEnabled(u));
        Click(d, IDB_DAY_OK);
      }
    });
    EXPECT_TRUE(answered);
    EXPECT_EQ(EntryText(undated_.entries[0]), "someday");
    DayRecord r;
    if (c.moves) {
      EXPECT_FALSE(OnDisk(from, r));
      EXPECT_EQ(EntryText(MustBeOnDisk(onto).entries[0]), "from");
      EXPECT_EQ(MustBeOnDisk(onto).entries[1].order, 0);
    } else {
      EXPECT_FALSE(OnDisk(from, r));  // cleared, and nothing moved in
    }
  }
}

TEST_F(DayPairTest, WhileTheSpanDialogIsOpenTheUndatedDialogCannotMoveIntoItsRow) {
  const SerialDay day = Day(10, 13);
  OpenStore();
  undated_.entries[0] = MakeEntry("someday");
  Run(day, [&](HWND d) {
    HWND u = OpenUndated(d);
    ASSERT_NE(u, nullptr);
    Type(d, IDE_DAY_TEXT_BASE, 1, "second");
    DriveNextDialog("連続設定", [d, u](HWND ex) {
      EXPECT_EQ(GetWindow(ex, GW_OWNER), d);
      EXPECT_FALSE(IsWindowEnabled(d));
      EXPECT_FALSE(IsWindowEnabled(u));
      ClickWithTheMouse(GetDlgItem(u, IDB_UDAT_MOVE));
      EXPECT_EQ(Text(u, IDE_UDAT_TEXT_BASE), "someday");
      SetDlgItemTextA(ex, IDE_SPAN_DAYS, "5");
      Click(ex, IDB_SPAN_OK);
    });
    Click(d, Row(IDB_DAY_SPAN_BASE, 0));  // row 0 is empty: the first a moved entry would take
    EXPECT_TRUE(IsWindowEnabled(u));
    EXPECT_EQ(Shown(d, IDB_DAY_SPAN_BASE, 0), " 5");
    EXPECT_EQ(Shown(d, IDE_DAY_TEXT_BASE, 0), "");
    Click(d, IDB_DAY_OK);
  });
  EXPECT_EQ(EntryText(undated_.entries[0]), "someday");
  const DayRecord r = MustBeOnDisk(day);
  EXPECT_EQ(EntryText(r.entries[0]), "second");
  EXPECT_EQ(r.entries[0].span, 0);
}

// The category and colour-set dialogs opened from the pair: their real box
// and the real colour chooser hold both dialogs of the pair as well.
TEST_F(DayPairTest, TheCategoryBoxAndTheColourChooserHoldThePair) {
  SetColorChooserForTests(nullptr);
  OpenStore();
  bool refused = false;
  bool chosen = false;
  Run(Day(12, 2), [&](HWND d) {
    HWND u = OpenUndated(d);
    ASSERT_NE(u, nullptr);
    DriveNextDialog("分類設定", [&, d, u](HWND t) {
      SetDlgItemTextA(t, IDE_TYPE_NAME_BASE + 2, "Work,Home");
      AnswerNextBox("名前に「,」（カンマ）は使えません。　　", [&, d, u, t](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), t);
        for (HWND held : {t, d, u}) EXPECT_FALSE(IsWindowEnabled(held));
        refused = true;
        Click(box, IDOK);
      });
      Click(t, IDB_TYPE_OK);
      EXPECT_TRUE(IsWindow(t));
      SetDlgItemTextA(t, IDE_TYPE_NAME_BASE + 2, "Work Home");
      Click(t, IDB_TYPE_OK);
    });
    Click(d, IDB_DAY_CATEGORIES);
    EXPECT_TRUE(IsWindowEnabled(u));
    DriveNextDialog("色設定", [&, d, u](HWND c) {
      SetDlgItemTextA(c, IDE_COLOR_BACK_NAME_BASE, "青緑");
      DriveNextOwnedDialog(c, [&, d, u, c](HWND chooser) {
        for (HWND held : {c, d, u}) EXPECT_FALSE(IsWindowEnabled(held));
        // Red, green and blue as typed into the chooser's own fields.
        for (const auto& [id, value] : {std::pair{COLOR_RED, "0"}, {COLOR_GREEN, "128"}, {COLOR_BLUE, "128"}}) {
          SetDlgItemTextA(chooser, id, value);
        }
        chosen = true;
        Click(chooser, IDOK);
      });
      Click(c, IDB_COLOR_BACK_BASE);
      Click(c, IDB_COLOR_OK);
    });
    Click(d, IDB_DAY_COLOR_SETS);
    EXPECT_TRUE(IsWindowEnabled(u));
    Click(d, IDB_DAY_CANCEL);
  });
  EXPECT_TRUE(refused);
  EXPECT_TRUE(chosen);
  EXPECT_STREQ(categories_.NameOf(2), "Work Home");
  EXPECT_STREQ(colorSets_.sets[kBackColorSet].entries[0].name, "青緑");
  EXPECT_EQ(colorSets_.sets[kBackColorSet].entries[0].color, 0x808000);
}

TEST_F(DayDialogTest, CategoryAndColourDialogsRefillTheLists) {
  OpenStore();
  const SerialDay day = Day(12, 1);
  Run(day, [this](HWND d) {
    const LRESULT before = SendDlgItemMessageA(d, Row(IDC_DAY_CATEGORY_BASE, 0), CB_GETCOUNT, 0, 0);
    DriveNextDialog("分類設定", [](HWND t) {
      SetDlgItemTextA(t, IDE_TYPE_NAME_BASE + 3, "新分類");
      Click(t, IDB_TYPE_OK);
    });
    Click(d, IDB_DAY_CATEGORIES);
    EXPECT_EQ(SendDlgItemMessageA(d, Row(IDC_DAY_CATEGORY_BASE, 7), CB_GETCOUNT, 0, 0), before + 1);
    EXPECT_EQ(categoryRebuilds_, 1);
    DriveNextDialog("色設定", [](HWND c) {
      SetDlgItemTextA(c, IDE_COLOR_TEXT_NAME_BASE, "紺");
      Click(c, IDB_COLOR_OK);
    });
    const LRESULT colors = SendDlgItemMessageA(d, IDC_DAY_TEXT_COLOR, CB_GETCOUNT, 0, 0);
    Click(d, IDB_DAY_COLOR_SETS);
    EXPECT_EQ(SendDlgItemMessageA(d, IDC_DAY_TEXT_COLOR, CB_GETCOUNT, 0, 0), colors + 1);
    Click(d, IDB_DAY_CANCEL);
  });
  EXPECT_STREQ(categories_.NameOf(3), "新分類");
}

}  // namespace
}  // namespace hiyomi
