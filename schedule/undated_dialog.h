// The undated data dialog UDATDLG: the 50 entries without a date, five rows
// at a time, moved or copied to and from a chosen day. Standalone it is modal
// and works on the stored days; attached to the day dialog it is modeless
// and works on that dialog's rows.
#pragma once

#include <windows.h>

#include <functional>

#include "almanac/dates.h"
#include "schedule/categories.h"
#include "schedule/message_prompts.h"
#include "schedule/records.h"
#include "schedule/secret_text.h"
#include "schedule/undated_list.h"
#include "schedule/year_store.h"

namespace hiyomi {

class SettingsStore;

// What the day and undated dialogs work on, handed in by the main window.
struct ScheduleDialogData {
  YearStore& years;
  UndatedList& undated;
  CategoryTable& categories;
  ColorSets& colorSets;
  SecretTexts& secrets;
  SettingsStore& settings;           // where the password verifier lives
  const char* categorySection;       // CategorySection of the options
  std::function<void()> categoriesChanged;  // rebuild the view's category menu
  std::function<void()> repaintView;
  // The year store's prompts: while a dialog runs, their boxes are owned by
  // it, so the dialog cannot be used again behind an open question.
  MessagePrompts* storePrompts = nullptr;
};

// The day dialog's rows as the attached undated dialog uses them.
class DayRowsLink {
 public:
  virtual ~DayRowsLink() = default;
  // Into the first row whose order is 0 or whose text is empty; the row's
  // order number becomes the entry's order. False when all eight are used.
  virtual bool PutEntry(const ScheduleEntry& entry) noexcept = 0;
  // Row `row` (0..7) as its controls show it now.
  virtual ScheduleEntry RowEntry(int row) noexcept = 0;
  virtual void RefillCategoryLists() noexcept = 0;
  virtual void RefillColorLists() noexcept = 0;
  // The undated dialog went away; the day dialog repaints.
  virtual void UndatedClosed() noexcept = 0;
};

// Modal, for the main window; `day` >= 36160 means no day (the picker
// starts at today). Always 0: the view only repaints. Not shown when the
// undated file is there but cannot be read (the user was told).
int RunUndatedDialog(HWND owner, SerialDay day, const ScheduleDialogData& data);

// Modeless beside `dayDialog`, for its date. Null when it could not be made
// or the undated file cannot be read (the user was told).
HWND OpenAttachedUndatedDialog(HWND dayDialog, SerialDay day, const ScheduleDialogData& data,
                               DayRowsLink& rows);

// Refills the open dialog's category and colour lists after the day
// dialog's category or colour-set dialog changed them.
void RefillUndatedLists(HWND undatedDialog);

}  // namespace hiyomi
