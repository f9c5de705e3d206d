#include "shell/program_objects_win.h"

#include <memory>

#include "almanac/dates.h"
#include "settings/options.h"
#include "settings/settings_win.h"
#include "shell/layered_window_win.h"
#include "shell/tray_icon_win.h"

namespace {

std::unique_ptr<ProgramObjects> program;

}  // namespace

ProgramObjects::ProgramObjects()
    : years(hiyomi::SystemDataFiles(), prompts, &vestin),
      undated(hiyomi::SystemDataFiles(), prompts) {}

ProgramObjects& Program() { return *program; }

void LoadCategories() {
  auto& store = hiyomi::MainSettings();
  const char* section = hiyomi::CategorySection(hiyomi::AppOptions().OptDef);
  Program().categories.Load(store, section);
  Program().colorSets.Load(store, section);
}

void CreateProgramObjects() {
  hiyomi::OpenMainSettings();
  LoadLayeredSupport();
  auto& store = hiyomi::MainSettings();
  hiyomi::LoadOptions(hiyomi::AppOptions(), store, store.CurrentSection());
  program = std::make_unique<ProgramObjects>();
  LoadCategories();
  const int year = DateFromSerial(ClampSerial(TodaySerial())).year;
  program->years.Open(hiyomi::ReadDataFileSetting(store), year);
  program->undated.LoadUndated(program->years.BasePath());
  program->secrets.LoadSettings(store);
  hiyomi::OpenAgeSettings();
}

void DestroyProgramObjects() {
  if (program) {
    program->secrets.Cipher().ReleaseKey();
    TrayRelease();
    program->undated.SaveUndated();
  }
  program.reset();
  UnloadLayeredSupport();
  hiyomi::CloseSettingsStores();
}
