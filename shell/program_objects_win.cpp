#include "shell/program_objects_win.h"

#include <memory>

#include "almanac/dates.h"
#include "settings/options.h"
#include "settings/settings_win.h"
#include "shell/layered_window_win.h"
#include "shell/tray_icon_win.h"

namespace hiyomi {

namespace {

std::unique_ptr<ProgramObjects> program;

}  // namespace

ProgramObjects::ProgramObjects()
    : years(SystemDataFiles(), prompts, &vestin),
      yearReader(SystemDataFiles(), years),
      undated(SystemDataFiles(), prompts),
      dayData(*this) {}

bool ProgramDayData::DayRecordOf(SerialDay day, DayRecord& out) {
  return program_.yearReader.DayRecordOf(day, out);
}

std::span<const ScheduleEntry> ProgramDayData::UndatedEntries() { return program_.undated.entries; }

const char* ProgramDayData::CategoryNameOf(int category) {
  return program_.categories.NameOf(category);
}

int32_t ProgramDayData::CategoryTextColorOf(int category) {
  return program_.categories.TextColorOf(category);
}

int32_t ProgramDayData::CategoryBackColorOf(int category) {
  return program_.categories.BackColorOf(category);
}

bool ProgramDayData::MakeReadable(char (&text)[kEntryTextSize]) {
  return program_.secrets.DecipherText(text, MarkMode::Drop) == 0;
}

std::span<const ToDoItem> ProgramDayData::ToDoItems() { return program_.outside.due.Items(); }

std::span<const TemporaryItem> ProgramDayData::TemporaryItems() { return program_.outside.temporary; }

ProgramObjects& Program() { return *program; }

void LoadCategories() {
  auto& store = MainSettings();
  const char* section = CategorySection(AppOptions().OptDef);
  Program().categories.Load(store, section);
  Program().colorSets.Load(store, section);
}

void CreateProgramObjects() {
  OpenMainSettings();
  LoadLayeredSupport();
  auto& store = MainSettings();
  LoadOptions(AppOptions(), store, store.CurrentSection());
  program = std::make_unique<ProgramObjects>();
  LoadCategories();
  const int year = DateFromSerial(ClampSerial(TodaySerial())).year;
  program->years.Open(ReadDataFileSetting(store), year);
  program->undated.LoadUndated(program->years.BasePath());
  program->printLook = LoadPrintLook(store);
  program->outside.due.Classify(AppOptions().NotrikType);
  program->secrets.LoadSettings(store);
  OpenAgeSettings();
}

void DestroyProgramObjects() {
  if (program) {
    program->secrets.Cipher().ReleaseKey();
    TrayRelease();
    program->undated.SaveUndated();
    // Changes whose save failed are still held: one more try before they go.
    program->years.SaveChanges();
  }
  program.reset();
  UnloadLayeredSupport();
  CloseSettingsStores();
}

}  // namespace hiyomi
