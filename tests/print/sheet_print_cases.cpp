// sheet_print_cases CASE: prints one schedule sheet on the default printer
// through the program's own ComputeAndPrint, for sheet_print_check.py to
// read back from the PDF. Every day of December 2026 carries an entry
// "E" + its month and day ("E1207"), so a page's place on the sheet shows
// in the positions of those words; 8 December holds an entry over three
// days. Prints the first day of each slot used, one "slot N YYYY-MM-DD" a
// line, then the page width and the first origin in 0.1 mm. Case "dialog" prints from PRTDLG itself: its "印刷" button with the
// stacked pattern in the stored placement, then "ｷｬﾝｾﾙ".
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "csv_days.h"
#include "print/print_dialog_win.h"
#include "print/print_job_win.h"
#include "print/print_settings.h"
#include "settings/memory_backend.h"
#include "settings/options.h"
#include "settings/settings_store.h"
#include "resources/prtdlg_ids.h"

namespace hiyomi {
namespace {

struct SheetCase {
  const char* name;
  PagePattern pattern;
  int slots;
  SerialDay start;
  int titleFormat;  // Ptn1
};

const SheetCase kCases[] = {
    {"side-by-side", PagePattern::kSideBySide, 0x0F, SerialFromDate(2026, 12, 7), 1},
    {"stacked", PagePattern::kStacked, 0x0F, SerialFromDate(2026, 12, 7), 0},
    {"duplex-front", PagePattern::kDuplexFront, 0x0F, SerialFromDate(2026, 12, 7), 0},
    {"duplex-back", PagePattern::kDuplexBack, 0x03, SerialFromDate(2026, 12, 7), 0},
    {"front-top-row", PagePattern::kSideBySide, 0x03, SerialFromDate(2026, 12, 7), 0},
    {"last-days", PagePattern::kSideBySide, 0x01, SerialFromDate(2099, 12, 29), 0},
    {"new-year", PagePattern::kSideBySide, 0x03, SerialFromDate(2026, 12, 28), 1},
};

// Presses "印刷" and then "ｷｬﾝｾﾙ" once the dialog is up.
void CALLBACK PressPrint(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "予定表設定");
  if (dialog == nullptr) return;
  KillTimer(nullptr, timer);
  SendMessageA(GetDlgItem(dialog, IDB_PRT_PRINT), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(dialog, IDB_PRT_CANCEL), BM_CLICK, 0, 0);
}

int PrintFromDialog(testing::CsvInputs& in, SettingsStore& store) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  store.WriteInt("Npptn", static_cast<int>(PagePattern::kStacked));
  store.WriteInt("Npbtn", 0x0F);
  PrintLook look = DefaultPrintLook();
  const DayItemInputs inputs = in.Inputs();
  SetTimer(nullptr, 0, 200, PressPrint);
  RunPrintDialog(nullptr, PrintDialogData{store, look, inputs, SerialFromDate(2026, 12, 7)});
  const int days[2] = {look.days[0], look.days[1]};
  for (int slot = 0; slot < kPageSlots; ++slot) {
    const CalendarDate date = DateFromSerial(SlotFirstDay(PagePattern::kStacked, slot, SerialFromDate(2026, 12, 7), days));
    std::printf("slot %d %04d-%02d-%02d\n", slot + 1, date.year, date.month, date.day);
  }
  return 0;
}

void AddDays(testing::CsvDays& days, SerialDay first, SerialDay last) {
  for (SerialDay day = first; day <= last; ++day) {
    const CalendarDate date = DateFromSerial(day);
    char text[16];
    std::snprintf(text, sizeof text, "E%02d%02d", date.month, date.day);
    days.Add(day, text, 0);
  }
}

int Run(const char* name) {
  testing::CsvInputs in;
  SettingsStore store;
  store.Attach(std::make_unique<MemorySettingsBackend>(), "Profile");
  LoadOptions(*in.options, store, "Profile");
  in.today = SerialFromDate(2026, 12, 10);
  AddDays(in.days, SerialFromDate(2026, 11, 1), SerialFromDate(2027, 1, 31));
  AddDays(in.days, SerialFromDate(2099, 12, 1), kLastSerial);
  in.days.Add(SerialFromDate(2026, 12, 8), "三日会議", 1).span = 2;
  if (std::strcmp(name, "dialog") == 0) return PrintFromDialog(in, store);

  const SheetCase* chosen = nullptr;
  for (const SheetCase& c : kCases) {
    if (std::strcmp(c.name, name) == 0) chosen = &c;
  }
  if (chosen == nullptr) {
    std::fprintf(stderr, "no case %s\n", name);
    return 2;
  }
  in.options->Ptn[1] = chosen->titleFormat;

  SheetRequest request{DefaultPrintLook(), LoadPrintPlacement(store), chosen->start};
  request.placement.pattern = static_cast<int>(chosen->pattern);
  request.placement.slots = chosen->slots;

  Printer printer;
  if (!printer.TakeDefault(nullptr)) {
    std::fprintf(stderr, "no default printer\n");
    return 1;
  }
  const DayItemInputs inputs = in.Inputs();
  SheetValues values{};
  ComputeAndPrint(printer.dc(), request, inputs, SheetAction::kCompute, &values);
  const SheetOutcome outcome = ComputeAndPrint(printer.dc(), request, inputs, SheetAction::kPrint, nullptr);
  if (outcome != SheetOutcome::kPrinted) {
    std::fprintf(stderr, "printing failed (%d)\n", static_cast<int>(outcome));
    return 1;
  }
  for (int slot = 0; slot < kPageSlots; ++slot) {
    if ((chosen->slots & (1 << slot)) == 0) continue;
    const CalendarDate date = DateFromSerial(SlotFirstDay(chosen->pattern, slot, chosen->start, request.look.days));
    std::printf("slot %d %04d-%02d-%02d\n", slot + 1, date.year, date.month, date.day);
  }
  std::printf("page-width %d\n", values.pageWidth);
  std::printf("origin %d %d\n", request.placement.x[0], request.placement.y[0]);
  std::printf("printer %s\n", printer.name().c_str());
  return 0;
}

}  // namespace
}  // namespace hiyomi

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sheet_print_cases CASE\n");
    return 2;
  }
  return hiyomi::Run(argv[1]);
}
