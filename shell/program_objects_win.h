// The calendar program's long-lived objects, created explicitly at start-up
// in a fixed order and destroyed in the reverse order at exit.
#pragma once

#include "schedule/categories.h"
#include "schedule/message_prompts.h"
#include "schedule/secret_text.h"
#include "schedule/undated_list.h"
#include "schedule/vestin_notify.h"
#include "schedule/year_store.h"

namespace hiyomi {

struct ProgramObjects {
  ProgramObjects();

  CategoryTable categories;
  ColorSets colorSets;
  MessagePrompts prompts;
  VestinNotifier vestin;
  YearStore years;
  UndatedList undated;
  SecretTexts secrets;
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
