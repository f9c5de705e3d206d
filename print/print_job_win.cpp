#include "print/print_job_win.h"

#include <commdlg.h>

#include <algorithm>

#include "print/print_metrics.h"
#include "print/sheet_painter_win.h"

namespace hiyomi {

namespace {

constexpr char kDocumentName[] = "Hiyomi";

std::string DeviceNameOf(HGLOBAL devNames) {
  if (devNames == nullptr) return {};
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
  if (names == nullptr) return {};
  std::string name = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
  GlobalUnlock(devNames);
  return name;
}

}  // namespace

bool Printer::TakeDefault(HWND owner) { return Take(owner, PD_RETURNDEFAULT | PD_RETURNDC); }

bool Printer::Choose(HWND owner) { return Take(owner, PD_PRINTSETUP | PD_RETURNDC); }

bool Printer::Take(HWND owner, DWORD flags) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = flags;
  // Return-default mode wants no settings handed in; setup mode starts
  // from the printer held.
  const bool fromHeld = (flags & PD_RETURNDEFAULT) == 0;
  if (fromHeld) {
    dialog.hDevMode = devMode_;
    dialog.hDevNames = devNames_;
  }
  if (!PrintDlgA(&dialog)) return false;
  if (fromHeld) {
    // The dialog may have replaced the handles it was given.
    devMode_ = nullptr;
    devNames_ = nullptr;
  }
  Release();
  dc_ = dialog.hDC;
  devMode_ = dialog.hDevMode;
  devNames_ = dialog.hDevNames;
  name_ = DeviceNameOf(devNames_);
  return dc_ != nullptr;
}

void Printer::Release() {
  if (dc_ != nullptr) DeleteDC(dc_);
  if (devMode_ != nullptr) GlobalFree(devMode_);
  if (devNames_ != nullptr) GlobalFree(devNames_);
  dc_ = nullptr;
  devMode_ = nullptr;
  devNames_ = nullptr;
  name_.clear();
}

SheetOutcome ComputeAndPrint(HDC printer, const SheetRequest& request, const DayItemInputs& items,
                             SheetAction action, SheetValues* values) {
  const PrintPlacement& placement = request.placement;
  const int slots = placement.slots & 0x0F;
  if (slots == 0) return SheetOutcome::kNoSlot;
  const PagePattern pattern = static_cast<PagePattern>(std::clamp(placement.pattern, 0, kPagePatternCount - 1));
  PrintLook look = request.look;
  NormalizeSheetDays(look.days);

  const PrintableArea reported{GetDeviceCaps(printer, PHYSICALWIDTH), GetDeviceCaps(printer, PHYSICALHEIGHT),
                               GetDeviceCaps(printer, HORZRES),       GetDeviceCaps(printer, VERTRES),
                               std::max(GetDeviceCaps(printer, PHYSICALOFFSETX), 0),
                               std::max(GetDeviceCaps(printer, PHYSICALOFFSETY), 0)};
  const PrintableArea area = SheetArea(reported, pattern);
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);

  const int pageWidth = PixelsFromTenthsMm(placement.pageWidth, dpiX);
  const int pageHeight = PixelsFromTenthsMm(placement.pageHeight, dpiY);
  const int lineHeight = std::min(PixelsFromTenthsMm(placement.lineHeight, dpiY), area.height);
  const bool fourOrigins = placement.mode == static_cast<int>(PlacementMode::kFourOrigins);
  PlacementInput input{area, fourOrigins ? PlacementMode::kFourOrigins : PlacementMode::kOriginAndMargins,
                       slots, {}, 0, 0};
  for (int i = 0; i < kPageSlots; ++i) {
    input.given[i] = PixelPoint{PixelsFromTenthsMm(placement.x[i], dpiX), PixelsFromTenthsMm(placement.y[i], dpiY)};
  }

  const SheetDrawing drawing = CreateSheetDrawing(printer, SheetTarget::kPrinter, items.options, look, lineHeight);
  SheetGeometry geometry = MeasureSheet(printer, SheetTarget::kPrinter, drawing, look, items.options, pageWidth, pageHeight);
  input.pageWidth = geometry.metrics.pageWidth;
  input.pageHeight = geometry.metrics.pageHeight;
  const Placement placed = PlaceSlots(input);
  // Pages shrunk to the sheet hold fewer lines a day.
  if (placed.pageHeight != geometry.metrics.pageHeight || placed.pageWidth != geometry.metrics.pageWidth) {
    geometry = MeasureSheet(printer, SheetTarget::kPrinter, drawing, look, items.options, placed.pageWidth,
                            placed.pageHeight);
  }

  if (values != nullptr) {
    values->pageWidth = TenthsMmFromPixels(geometry.metrics.pageWidth, dpiX);
    values->pageHeight = TenthsMmFromPixels(geometry.metrics.pageHeight, dpiY);
    values->lineHeight = TenthsMmFromPixels(geometry.metrics.lineHeight, dpiY);
    values->originMoved = placed.originMoved;
    values->originX = TenthsMmFromPixels(placed.slot[0].x, dpiX);
    values->originY = TenthsMmFromPixels(placed.slot[0].y, dpiY);
  }
  if (action == SheetAction::kCompute) return SheetOutcome::kComputed;

  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = kDocumentName;
  if (StartDocA(printer, &document) <= 0) return SheetOutcome::kPrintFailed;
  if (StartPage(printer) <= 0) {
    AbortDoc(printer);
    return SheetOutcome::kPrintFailed;
  }
  const PixelPoint correction{placement.x[kPageSlots], placement.y[kPageSlots]};
  for (int slot = 0; slot < kPageSlots; ++slot) {
    if ((slots & (1 << slot)) == 0) continue;
    const PixelRect r = SlotRect(placed, reported, pattern, slot, correction);
    PaintPage(printer, SheetTarget::kPrinter, geometry, drawing, look, items, RECT{r.left, r.top, r.right, r.bottom},
              SlotFirstDay(pattern, slot, request.start, look.days), SlotDays(slot, look.days));
  }
  const bool ended = EndPage(printer) > 0;
  const bool done = EndDoc(printer) > 0;
  return ended && done ? SheetOutcome::kPrinted : SheetOutcome::kPrintFailed;
}

}  // namespace hiyomi
