// The calendar program's long-lived objects, created explicitly at start-up
// in a fixed order and destroyed in the reverse order at exit.
#pragma once

#include "print/print_settings.h"
#include "schedule/categories.h"
#include "schedule/day_items.h"
#include "schedule/message_prompts.h"
#include "schedule/secret_text.h"
#include "schedule/undated_list.h"
#include "schedule/vestin_notify.h"
#include "schedule/year_reader.h"
#include "schedule/year_store.h"
#include "shell/outside_schedules_win.h"

namespace hiyomi {

struct ProgramObjects;

// The program's day data as the grid, the tooltip, the print and the export
// read it: day records through the year reader, never the editing store.
class ProgramDayData final : public DayDataSource {
 public:
  explicit ProgramDayData(ProgramObjects& program) : program_(program) {}
  bool DayRecordOf(SerialDay day, DayRecord& out) override;
  std::span<const ScheduleEntry> UndatedEntries() override;
  const char* CategoryNameOf(int category) override;
  int32_t CategoryTextColorOf(int category) override;
  int32_t CategoryBackColorOf(int category) override;
  bool MakeReadable(char (&text)[kEntryTextSize]) override;
  std::span<const ToDoItem> ToDoItems() override;
  std::span<const TemporaryItem> TemporaryItems() override;

 private:
  ProgramObjects& program_;
};

struct ProgramObjects {
  ProgramObjects();

  CategoryTable categories;
  ColorSets colorSets;
  MessagePrompts prompts;
  VestinNotifier vestin;
  YearStore years;
  YearReader yearReader;
  UndatedList undated;
  OutsideSchedules outside;  // the editor slots and the Notrik to-do list
  SecretTexts secrets;
  ProgramDayData dayData;
  PrintLook printLook;  // the schedule sheet's look, shared by the print and the table view
};

// Settings, options, categories, the user's data and the cipher, opened
// from the current settings section and folder.
void CreateProgramObjects();
// Writes what is still unwritten and releases everything.
void DestroyProgramObjects();
ProgramObjects& Program();
// Categories and colour sets of the current section (or of Default when
// they are shared), again after the options or the section changed.
void LoadCategories();

}  // namespace hiyomi
