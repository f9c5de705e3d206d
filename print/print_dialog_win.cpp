#include "print/print_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "base/message_box.h"
#include "base/win/ui_helpers.h"
#include "print/print_job_win.h"
#include "resources/prtdlg_ids.h"
#include "schedule/dialog_rows_win.h"
#include "settings/settings_store.h"

namespace hiyomi {
namespace {

constexpr char kPickerFormat[] = "yyy'年 'MM'月 'dd'日 'dddd ";
constexpr char kNoSlotChosen[] = "印刷頁を指定してください。";
constexpr const char* kPatternNames[kPagePatternCount] = {"横並び", "縦並び", "両面表", "両面裏"};
constexpr int kMaxPositionEdit = 9999;  // four digits in the coordinate edits

static_assert(IDR_PRT_SPACING_GIVEN - IDR_PRT_SPACING_LINE == static_cast<int>(RuleSpacing::kGivenWidth));
static_assert(IDR_PRT_DOTTED - IDR_PRT_SOLID == 1);
static_assert(IDR_PRT_ORIGIN_AND_MARGINS - IDR_PRT_FOUR_ORIGINS == 1);

struct NumberEdit {
  int edit;
  int spin;
  int minimum;
  int maximum;
  int digits;
};

constexpr NumberEdit kDaysLeft{IDE_PRT_DAYS_LEFT, IDS_PRT_DAYS_LEFT, 0, kMaxSheetDays, 2};
constexpr NumberEdit kDaysRight{IDE_PRT_DAYS_RIGHT, IDS_PRT_DAYS_RIGHT, 0, kMaxSheetDays, 2};
constexpr NumberEdit kLines{IDE_PRT_LINES, IDS_PRT_LINES, 1, kMaxSheetLines, 2};
constexpr NumberEdit kRuleWidth{IDE_PRT_SPACING_WIDTH, IDS_PRT_SPACING_WIDTH, 0, kMaxTenthsMm, 5};
constexpr NumberEdit kFirstHour{IDE_PRT_FIRST_HOUR, IDS_PRT_FIRST_HOUR, 0, 23, 2};
constexpr NumberEdit kLastHour{IDE_PRT_LAST_HOUR, IDS_PRT_LAST_HOUR, 0, 23, 2};
constexpr NumberEdit kPageWidth{IDE_PRT_PAGE_WIDTH, IDS_PRT_PAGE_WIDTH, 0, kMaxTenthsMm, 5};
constexpr NumberEdit kPageHeight{IDE_PRT_PAGE_HEIGHT, IDS_PRT_PAGE_HEIGHT, 0, kMaxTenthsMm, 5};
constexpr NumberEdit kLineHeight{IDE_PRT_LINE_HEIGHT, IDS_PRT_LINE_HEIGHT, 0, kMaxLineTenthsMm, 3};
constexpr NumberEdit kCorrectionX{IDE_PRT_CORRECTION_X, IDS_PRT_CORRECTION_X, -kMaxCorrection, kMaxCorrection, 4};
constexpr NumberEdit kCorrectionY{IDE_PRT_CORRECTION_Y, IDS_PRT_CORRECTION_Y, -kMaxCorrection, kMaxCorrection, 4};

NumberEdit SlotX(int n) { return {IDE_PRT_SLOT_X(n), IDS_PRT_SLOT_X(n), 0, kMaxPositionEdit, 4}; }
NumberEdit SlotY(int n) { return {IDE_PRT_SLOT_Y(n), IDS_PRT_SLOT_Y(n), 0, kMaxPositionEdit, 4}; }

struct FlagBox {
  int id;
  bool PrintLook::*field;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDX_PRT_TEXT_COLOR, &PrintLook::textColor},       {IDX_PRT_BACK_COLOR, &PrintLook::backColor},
    {IDX_PRT_HORIZONTAL_RULES, &PrintLook::horizontalRules}, {IDX_PRT_VERTICAL_RULES, &PrintLook::verticalRules},
    {IDX_PRT_FRAME, &PrintLook::frame},                 {IDX_PRT_TIME_LINES, &PrintLook::timeLines},
    {IDX_PRT_DAY_DIFFERENCE, &PrintLook::dayDifference}, {IDX_PRT_UNDATED, &PrintLook::undated},
};

struct PrintDialogState {
  const PrintDialogData* data;
  Printer printer;
  int ruleColor = -1;
  COLORREF customColors[16] = {};
};

PrintDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<PrintDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void SetUpNumber(HWND dialog, const NumberEdit& n, int value) {
  SendDlgItemMessageA(dialog, n.edit, EM_LIMITTEXT, n.digits, 0);
  SendDlgItemMessageA(dialog, n.spin, UDM_SETRANGE32, static_cast<WPARAM>(n.minimum), n.maximum);
  SendDlgItemMessageA(dialog, n.spin, UDM_SETPOS32, 0, std::clamp(value, n.minimum, n.maximum));
}

// The edit's number, clamped to its range; an empty or broken one reads
// as its minimum.
int NumberIn(HWND dialog, const NumberEdit& n) {
  BOOL ok = FALSE;
  const int value = static_cast<int>(GetDlgItemInt(dialog, n.edit, &ok, n.minimum < 0));
  return std::clamp(ok ? value : 0, n.minimum, n.maximum);
}

void SetNumber(HWND dialog, const NumberEdit& n, int value) {
  SetDlgItemInt(dialog, n.edit, static_cast<UINT>(std::clamp(value, n.minimum, n.maximum)), n.minimum < 0);
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

PagePattern PatternIn(HWND dialog) {
  const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_PRT_PATTERN, CB_GETCURSEL, 0, 0);
  return static_cast<PagePattern>(std::clamp(static_cast<int>(chosen), 0, kPagePatternCount - 1));
}

PlacementMode ModeIn(HWND dialog) {
  return Checked(dialog, IDR_PRT_FOUR_ORIGINS) ? PlacementMode::kFourOrigins : PlacementMode::kOriginAndMargins;
}

// Labels and enabled states follow the pattern and the placement mode.
void ShowPatternAndMode(HWND dialog) {
  const PagePattern pattern = PatternIn(dialog);
  const bool margins = ModeIn(dialog) == PlacementMode::kOriginAndMargins;
  for (int n = 0; n < kPageSlots; ++n) {
    char text[8];
    std::snprintf(text, sizeof text, "%d", SlotPageNumber(pattern, n));
    SetDlgItemTextA(dialog, IDX_PRT_SLOT(n), text);
    const bool unused = margins && IsRightColumn(n);
    if (margins) {
      SetDlgItemTextA(dialog, IDT_PRT_SLOT_LABEL(n), n == 0 ? "座標" : n == 2 ? "余白" : "");
    } else {
      std::snprintf(text, sizeof text, "%d", n + 1);
      SetDlgItemTextA(dialog, IDT_PRT_SLOT_LABEL(n), text);
    }
    for (int id : {IDE_PRT_SLOT_X(n), IDS_PRT_SLOT_X(n), IDE_PRT_SLOT_Y(n), IDS_PRT_SLOT_Y(n)}) {
      EnableWindow(GetDlgItem(dialog, id), !unused);
    }
  }
  const bool correction = CorrectionApplies(pattern);
  for (int id : {IDE_PRT_CORRECTION_X, IDS_PRT_CORRECTION_X, IDE_PRT_CORRECTION_Y, IDS_PRT_CORRECTION_Y}) {
    EnableWindow(GetDlgItem(dialog, id), correction);
  }
}

void ShowLook(HWND dialog, PrintDialogState& state, const PrintLook& look) {
  SetUpNumber(dialog, kDaysLeft, look.days[0]);
  SetUpNumber(dialog, kDaysRight, look.days[1]);
  SetUpNumber(dialog, kLines, look.lines);
  SetUpNumber(dialog, kRuleWidth, look.ruleWidth);
  SetUpNumber(dialog, kFirstHour, look.firstHour);
  SetUpNumber(dialog, kLastHour, look.lastHour);
  for (const FlagBox& box : kFlagBoxes) Check(dialog, box.id, look.*box.field);
  CheckRadioButton(dialog, IDR_PRT_SPACING_LINE, IDR_PRT_SPACING_GIVEN,
                   IDR_PRT_SPACING_LINE + std::clamp(look.ruleSpacing, 0, 2));
  CheckRadioButton(dialog, IDR_PRT_SOLID, IDR_PRT_DOTTED, IDR_PRT_SOLID + std::clamp(look.ruleStyle, 0, 1));
  state.ruleColor = look.ruleColor;
}

void ShowPlacement(HWND dialog, const PrintPlacement& p) {
  HWND combo = GetDlgItem(dialog, IDC_PRT_PATTERN);
  for (const char* name : kPatternNames) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(std::clamp(p.pattern, 0, kPagePatternCount - 1)), 0);
  for (int n = 0; n < kPageSlots; ++n) {
    Check(dialog, IDX_PRT_SLOT(n), (p.slots & (1 << n)) != 0);
    SetUpNumber(dialog, SlotX(n), p.x[n]);
    SetUpNumber(dialog, SlotY(n), p.y[n]);
  }
  SetUpNumber(dialog, kPageWidth, p.pageWidth);
  SetUpNumber(dialog, kPageHeight, p.pageHeight);
  SetUpNumber(dialog, kLineHeight, p.lineHeight);
  SetUpNumber(dialog, kCorrectionX, p.x[kPageSlots]);
  SetUpNumber(dialog, kCorrectionY, p.y[kPageSlots]);
  CheckRadioButton(dialog, IDR_PRT_FOUR_ORIGINS, IDR_PRT_ORIGIN_AND_MARGINS,
                   p.mode == static_cast<int>(PlacementMode::kFourOrigins) ? IDR_PRT_FOUR_ORIGINS
                                                                           : IDR_PRT_ORIGIN_AND_MARGINS);
  ShowPatternAndMode(dialog);
}

PrintLook LookIn(HWND dialog, const PrintDialogState& state) {
  PrintLook look{};
  look.days[0] = NumberIn(dialog, kDaysLeft);
  look.days[1] = NumberIn(dialog, kDaysRight);
  NormalizeSheetDays(look.days);
  look.lines = NumberIn(dialog, kLines);
  look.ruleWidth = NumberIn(dialog, kRuleWidth);
  look.firstHour = NumberIn(dialog, kFirstHour);
  look.lastHour = NumberIn(dialog, kLastHour);
  for (const FlagBox& box : kFlagBoxes) look.*box.field = Checked(dialog, box.id);
  for (int id = IDR_PRT_SPACING_LINE; id <= IDR_PRT_SPACING_GIVEN; ++id) {
    if (Checked(dialog, id)) look.ruleSpacing = id - IDR_PRT_SPACING_LINE;
  }
  look.ruleStyle = Checked(dialog, IDR_PRT_SOLID) ? 0 : 1;
  look.ruleColor = state.ruleColor;
  return look;
}

PrintPlacement PlacementIn(HWND dialog) {
  PrintPlacement p{};
  p.pattern = static_cast<int>(PatternIn(dialog));
  for (int n = 0; n < kPageSlots; ++n) {
    if (Checked(dialog, IDX_PRT_SLOT(n))) p.slots |= 1 << n;
    p.x[n] = NumberIn(dialog, SlotX(n));
    p.y[n] = NumberIn(dialog, SlotY(n));
  }
  p.pageWidth = NumberIn(dialog, kPageWidth);
  p.pageHeight = NumberIn(dialog, kPageHeight);
  p.lineHeight = NumberIn(dialog, kLineHeight);
  p.mode = static_cast<int>(ModeIn(dialog));
  p.x[kPageSlots] = NumberIn(dialog, kCorrectionX);
  p.y[kPageSlots] = NumberIn(dialog, kCorrectionY);
  return p;
}

INT_PTR OnInitDialog(HWND dialog, PrintDialogState* state) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  CenterWindow(dialog, true);
  if (state->printer.TakeDefault(dialog)) {
    SetDlgItemTextA(dialog, IDT_PRT_PRINTER, state->printer.name().c_str());
  }
  const PrintDialogData& data = *state->data;
  ShowLook(dialog, *state, data.look);
  HWND picker = GetDlgItem(dialog, IDC_PRT_START_DAY);
  SetUpDayPicker(picker, kFirstSerial, kLastSerial, kPickerFormat);
  SetPickerDay(picker, ClampSerial(data.startDay));
  ShowPlacement(dialog, LoadPrintPlacement(data.settings));
  return TRUE;
}

void OnSetup(HWND dialog, PrintDialogState* state) {
  if (state->printer.Choose(dialog)) SetDlgItemTextA(dialog, IDT_PRT_PRINTER, state->printer.name().c_str());
}

void OnComputeOrPrint(HWND dialog, PrintDialogState* state, SheetAction action) {
  const PrintPlacement placement = PlacementIn(dialog);
  if ((placement.slots & 0x0F) == 0) {
    ShowMessage(dialog, MessageKind::Exclamation, kNoSlotChosen);
    return;
  }
  if (state->printer.dc() == nullptr) return;
  const SheetRequest request{LookIn(dialog, *state), placement,
                             PickerDay(GetDlgItem(dialog, IDC_PRT_START_DAY), kFirstSerial)};
  SheetValues values{};
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ComputeAndPrint(state->printer.dc(), request, state->data->days, action, &values);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (action != SheetAction::kCompute) return;
  SetNumber(dialog, kPageWidth, values.pageWidth);
  SetNumber(dialog, kPageHeight, values.pageHeight);
  SetNumber(dialog, kLineHeight, values.lineHeight);
  if (values.originMoved) {
    SetNumber(dialog, SlotX(0), values.originX);
    SetNumber(dialog, SlotY(0), values.originY);
  }
}

void OnRuleColor(HWND dialog, PrintDialogState* state) {
  int color = state->ruleColor;
  if (!ChooseColorFor(dialog, color, state->customColors)) return;
  state->ruleColor = color;
  InvalidateRect(GetDlgItem(dialog, IDB_PRT_RULE_COLOR), nullptr, TRUE);
}

void OnClose(HWND dialog, PrintDialogState* state) {
  const PrintDialogData& data = *state->data;
  const PrintLook look = LookIn(dialog, *state);
  SavePrintLook(data.settings, look);
  data.look = look;
  if (Checked(dialog, IDX_PRT_SAVE_PLACEMENT)) SavePrintPlacement(data.settings, PlacementIn(dialog));
  EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  PrintDialogState* state = StateOf(dialog);
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case IDC_PRT_PATTERN:
      if (code == CBN_SELCHANGE) ShowPatternAndMode(dialog);
      return TRUE;
    case IDR_PRT_FOUR_ORIGINS:
    case IDR_PRT_ORIGIN_AND_MARGINS:
      ShowPatternAndMode(dialog);
      return TRUE;
    case IDB_PRT_RULE_COLOR: OnRuleColor(dialog, state); return TRUE;
    case IDB_PRT_SETUP: OnSetup(dialog, state); return TRUE;
    case IDB_PRT_COMPUTE: OnComputeOrPrint(dialog, state, SheetAction::kCompute); return TRUE;
    case IDB_PRT_PRINT: OnComputeOrPrint(dialog, state, SheetAction::kPrint); return TRUE;
    case IDB_PRT_CLOSE: OnClose(dialog, state); return TRUE;
    case IDB_PRT_CANCEL:
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
  }
  return FALSE;
}

INT_PTR OnDrawItem(HWND dialog, LPARAM lParam) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item.CtlID != IDB_PRT_RULE_COLOR) return FALSE;
  const PrintDialogState* state = StateOf(dialog);
  DrawColorButton(item, state != nullptr && state->ruleColor >= 0 ? state->ruleColor : 0xFFFFFF);
  return TRUE;
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<PrintDialogState*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, wParam);
    case WM_DRAWITEM: return OnDrawItem(dialog, lParam);
  }
  return FALSE;
}

}  // namespace

int RunPrintDialog(HWND owner, const PrintDialogData& data) {
  PrintDialogState state;
  state.data = &data;
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_PRTDLG, owner, PrintDialogProc,
                                         reinterpret_cast<LPARAM>(&state));
  return result == 1 ? 1 : 0;
}

}  // namespace hiyomi
