// PRTDLG from its real template on the real default printer, driven by
// messages: what it opens with, the labels and enabled states of the page
// patterns and placement modes, what "閉じる" stores and what it leaves,
// "値計算" writing the computed sizes back, and the message when no page
// slot is chosen.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "csv_days.h"
#include "print/print_dialog_win.h"
#include "print/print_settings.h"
#include "resources/prtdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "settings/memory_backend.h"
#include "settings/options.h"
#include "settings/settings_store.h"
#include "tests/schedule/dialog_driver.h"

namespace hiyomi {
namespace {

using namespace hiyomi::testing;

constexpr char kTitle[] = "予定表設定";
constexpr char kNoSlot[] = "印刷頁を指定してください。";
const SerialDay kMonday = SerialFromDate(2026, 12, 7);

std::string Text(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}
int Number(HWND dialog, int id) { return std::stoi("0" + Text(dialog, id)); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void ChoosePattern(HWND dialog, int pattern) {
  SendDlgItemMessageA(dialog, IDC_PRT_PATTERN, CB_SETCURSEL, static_cast<WPARAM>(pattern), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRT_PATTERN, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PRT_PATTERN)));
}

class PrintDialogTest : public ::testing::Test {
 protected:
  PrintDialogTest() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    auto backend = std::make_unique<MemorySettingsBackend>();
    memory_ = backend.get();
    settings_.Attach(std::move(backend), "Profile");
    LoadOptions(*in_.options, settings_, "Profile");
    SetMessageAnswererForTests([this](MessageKind kind, const char* text) {
      messages_.emplace_back(text);
      return SafeAnswer(kind);
    });
    in_.today = kMonday;
  }
  void TearDown() override { ExpectNoDriverPending(); }
  ~PrintDialogTest() override { SetMessageAnswererForTests(nullptr); }

  int Run(std::function<void(HWND)> driver) {
    DriveNextDialog(kTitle, std::move(driver));
    const DayItemInputs inputs = in_.Inputs();
    return RunPrintDialog(nullptr, PrintDialogData{settings_, look_, inputs, kMonday});
  }
  std::string Stored(const char* key) {
    const std::string* value = memory_->Find("Profile", key);
    return value != nullptr ? *value : "(none)";
  }

  SettingsStore settings_;
  MemorySettingsBackend* memory_ = nullptr;
  CsvInputs in_;
  PrintLook look_ = DefaultPrintLook();
  std::vector<std::string> messages_;
};

TEST_F(PrintDialogTest, FirstStartPlacesByOriginAndMarginsOnTheDefaultPrinter) {
  Run([](HWND d) {
    EXPECT_FALSE(Text(d, IDT_PRT_PRINTER).empty()) << "the default printer";
    EXPECT_TRUE(IsChecked(d, IDR_PRT_ORIGIN_AND_MARGINS));
    EXPECT_FALSE(IsChecked(d, IDR_PRT_FOUR_ORIGINS));
    EXPECT_EQ(Number(d, IDE_PRT_SLOT_X(0)), 200);
    EXPECT_EQ(Number(d, IDE_PRT_SLOT_Y(0)), 200);
    EXPECT_EQ(Number(d, IDE_PRT_SLOT_X(2)), 100);
    EXPECT_EQ(Number(d, IDE_PRT_SLOT_Y(2)), 100);
    EXPECT_EQ(Text(d, IDT_PRT_SLOT_LABEL(0)), "座標");
    EXPECT_EQ(Text(d, IDT_PRT_SLOT_LABEL(2)), "余白");
    for (int n : {1, 3}) {
      EXPECT_FALSE(Enabled(d, IDE_PRT_SLOT_X(n)) || Enabled(d, IDE_PRT_SLOT_Y(n))) << "slot " << n + 1;
    }
    EXPECT_TRUE(Enabled(d, IDE_PRT_SLOT_X(2)));
    // The look of the program's sheet and the first day the view shows.
    EXPECT_EQ(Number(d, IDE_PRT_DAYS_LEFT), 4);
    EXPECT_EQ(Number(d, IDE_PRT_DAYS_RIGHT), 3);
    EXPECT_EQ(Number(d, IDE_PRT_LINES), 6);
    EXPECT_EQ(PickerDay(GetDlgItem(d, IDC_PRT_START_DAY), kNoDay), kMonday);
    EXPECT_EQ(Text(d, IDC_PRT_PATTERN), "横並び");
    EXPECT_TRUE(IsChecked(d, IDX_PRT_SLOT(0)) && IsChecked(d, IDX_PRT_SLOT(1)));
    EXPECT_FALSE(IsChecked(d, IDX_PRT_SLOT(2)) || IsChecked(d, IDX_PRT_SLOT(3)));
    Click(d, IDB_PRT_CANCEL);
  });
}

TEST_F(PrintDialogTest, PatternsLabelTheSlotsAndTheFrontOfADuplexSheetHasNoCorrection) {
  Run([](HWND d) {
    struct Case {
      int pattern;
      const char* labels[4];
      bool correction;
    } const cases[] = {
        {2, {"2", "3", "6", "7"}, false},
        {3, {"4", "1", "5", "8"}, true},
        {1, {"1", "3", "2", "4"}, true},
        {0, {"1", "2", "3", "4"}, true},
    };
    for (const Case& c : cases) {
      ChoosePattern(d, c.pattern);
      for (int n = 0; n < 4; ++n) EXPECT_EQ(Text(d, IDX_PRT_SLOT(n)), c.labels[n]) << c.pattern;
      EXPECT_EQ(Enabled(d, IDE_PRT_CORRECTION_X), c.correction) << c.pattern;
      EXPECT_EQ(Enabled(d, IDE_PRT_CORRECTION_Y), c.correction) << c.pattern;
    }
    // Four origins: every row numbered and open.
    Click(d, IDR_PRT_FOUR_ORIGINS);
    for (int n = 0; n < 4; ++n) {
      EXPECT_EQ(Text(d, IDT_PRT_SLOT_LABEL(n)), std::to_string(n + 1));
      EXPECT_TRUE(Enabled(d, IDE_PRT_SLOT_X(n)) && Enabled(d, IDE_PRT_SLOT_Y(n)));
    }
    Click(d, IDR_PRT_ORIGIN_AND_MARGINS);
    EXPECT_FALSE(Enabled(d, IDE_PRT_SLOT_Y(3)));
    Click(d, IDB_PRT_CANCEL);
  });
}

TEST_F(PrintDialogTest, NoDaysOnEitherPageStoreOneAndZeroAndTheProgramTakesTheLook) {
  const int result = Run([](HWND d) {
    SetDlgItemTextA(d, IDE_PRT_DAYS_LEFT, "0");
    SetDlgItemTextA(d, IDE_PRT_DAYS_RIGHT, "0");
    SetDlgItemTextA(d, IDE_PRT_LINES, "25");  // past the range: 20
    Click(d, IDX_PRT_FRAME);
    Click(d, IDB_PRT_CLOSE);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Stored("NDays0"), "1");
  EXPECT_EQ(Stored("NDays1"), "0");
  EXPECT_EQ(Stored("NLine"), "20");
  EXPECT_EQ(Stored("NWLine"), "1");
  EXPECT_EQ(Stored("NLineC"), "0xCCCCCC");
  EXPECT_EQ(look_.days[0], 1);
  EXPECT_TRUE(look_.frame);
}

TEST_F(PrintDialogTest, ClosingWithoutSavePlacementLeavesThePlacementKeys) {
  memory_->Write("Profile", "Npptn", "1");
  memory_->Write("Profile", "Npbtn", "5");
  memory_->Write("Profile", "Nxpos0", "300");
  memory_->Write("Profile", "Nxpos2", "150");  // a key that says the pairs were saved
  EXPECT_EQ(Run([](HWND d) {
              EXPECT_EQ(Text(d, IDC_PRT_PATTERN), "縦並び");
              EXPECT_TRUE(IsChecked(d, IDR_PRT_ORIGIN_AND_MARGINS));  // Npos' default
              EXPECT_EQ(Number(d, IDE_PRT_SLOT_X(0)), 300);
              ChoosePattern(d, 3);
              Click(d, IDX_PRT_SLOT(3));
              SetDlgItemTextA(d, IDE_PRT_PAGE_WIDTH, "900");
              SetDlgItemTextA(d, IDE_PRT_SLOT_X(0), "50");
              Click(d, IDB_PRT_CLOSE);
            }),
            1);
  EXPECT_EQ(Stored("Npptn"), "1");
  EXPECT_EQ(Stored("Npbtn"), "5");
  EXPECT_EQ(Stored("Nxpos0"), "300");
  EXPECT_EQ(Stored("Nxpos2"), "150");
  for (const char* key : {"Nxsize", "Nysize", "Nlsize", "Npos", "Nxpos1", "Nypos0", "Nxpos4"}) {
    EXPECT_EQ(Stored(key), "(none)") << key;
  }
  EXPECT_EQ(Stored("NDays0"), "4") << "the look is saved all the same";

  // With the box checked they are.
  Run([](HWND d) {
    Click(d, IDX_PRT_SAVE_PLACEMENT);
    ChoosePattern(d, 3);
    SetDlgItemTextA(d, IDE_PRT_PAGE_WIDTH, "900");
    SetDlgItemTextA(d, IDE_PRT_CORRECTION_X, "-7");
    Click(d, IDB_PRT_CLOSE);
  });
  EXPECT_EQ(Stored("Npptn"), "3");
  EXPECT_EQ(Stored("Nxsize"), "900");
  EXPECT_EQ(Stored("Npos"), "2");
  EXPECT_EQ(Stored("Nxpos4"), "-7");
}

TEST_F(PrintDialogTest, CancelStoresNothing) {
  EXPECT_EQ(Run([](HWND d) {
              SetDlgItemTextA(d, IDE_PRT_DAYS_LEFT, "9");
              Click(d, IDX_PRT_SAVE_PLACEMENT);
              Click(d, IDB_PRT_CANCEL);
            }),
            0);
  EXPECT_TRUE(memory_->Sections().empty() || Stored("NDays0") == "(none)");
  EXPECT_EQ(look_.days[0], 4);
}

TEST_F(PrintDialogTest, NoSlotChosenSaysSoAndComputesNothing) {
  Run([](HWND d) {
    Click(d, IDX_PRT_SLOT(0));
    Click(d, IDX_PRT_SLOT(1));
    Click(d, IDB_PRT_COMPUTE);
    EXPECT_EQ(Number(d, IDE_PRT_PAGE_WIDTH), 0);
    Click(d, IDB_PRT_PRINT);
    Click(d, IDB_PRT_CANCEL);
  });
  EXPECT_EQ(messages_, (std::vector<std::string>{kNoSlot, kNoSlot}));
}

TEST_F(PrintDialogTest, ComputeWritesTheNaturalSizesBackAndShrinksThemToTheSheet) {
  Run([](HWND d) {
    Click(d, IDB_PRT_COMPUTE);
    const int width = Number(d, IDE_PRT_PAGE_WIDTH);
    const int height = Number(d, IDE_PRT_PAGE_HEIGHT);
    const int line = Number(d, IDE_PRT_LINE_HEIGHT);
    // 41 characters of a 9-point font and a date column: a few centimetres.
    EXPECT_GT(width, 400);
    EXPECT_LT(width, 1200);
    EXPECT_GT(line, 30);
    EXPECT_LT(line, 80);
    EXPECT_NEAR(height, 4 * 6 * line + line + 25, 4 * 6 + 30) << "header + 4 days of 6 lines";

    // A page wider than half the sheet shrinks so that two fit.
    SetDlgItemTextA(d, IDE_PRT_PAGE_WIDTH, "9000");
    SetDlgItemTextA(d, IDE_PRT_SLOT_X(0), "9999");  // past the sheet: clamped
    Click(d, IDB_PRT_COMPUTE);
    EXPECT_LT(Number(d, IDE_PRT_SLOT_X(0)), 2970);
    EXPECT_LT(Number(d, IDE_PRT_PAGE_WIDTH), 2970);
    Click(d, IDB_PRT_CANCEL);
  });
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace hiyomi
