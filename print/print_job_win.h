// The printer a schedule sheet goes to, and the sheet's computation and
// printing on it: where the page slots land, the pages' sizes, and one
// printed sheet of up to four pages.
#pragma once

#include <windows.h>

#include <string>

#include "print/print_settings.h"
#include "schedule/day_items.h"
#include "settings/options.h"

namespace hiyomi {

// A printer as the system's print dialog hands it out: its device context,
// name and the dialog's settings, released together.
class Printer {
 public:
  Printer() = default;
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  ~Printer() { Release(); }

  // The default printer without showing the dialog. False when there is none.
  bool TakeDefault(HWND owner);
  // The dialog in setup mode, starting from the printer held; on OK the
  // chosen printer replaces it.
  bool Choose(HWND owner);

  HDC dc() const { return dc_; }
  const std::string& name() const { return name_; }

 private:
  bool Take(HWND owner, DWORD flags);
  void Release();

  HDC dc_ = nullptr;
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
  std::string name_;
};

enum class SheetAction : int { kCompute, kPrint };

struct SheetRequest {
  PrintLook look;
  PrintPlacement placement;
  SerialDay start;  // the first day of the left page of slot 1's pattern row
};

// What "値計算" writes back into the dialog, in 0.1 mm.
struct SheetValues {
  int pageWidth;
  int pageHeight;
  int lineHeight;
  bool originMoved;  // then the first origin below replaces the given one
  int originX;
  int originY;
};

enum class SheetOutcome : int { kNoSlot, kComputed, kPrinted, kPrintFailed };

// Computes the sheet's geometry on the printer; with kPrint prints it as
// the document "Hiyomi". `values` gets the geometry in either case.
SheetOutcome ComputeAndPrint(HDC printer, const SheetRequest& request, const DayItemInputs& items,
                             SheetAction action, SheetValues* values);

}  // namespace hiyomi
