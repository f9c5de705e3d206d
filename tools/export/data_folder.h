// A data folder read as Hiyomi reads its own: "Hiyomi.ini" for the options,
// categories and IcsOpt when it is there, and the year files named by its
// `file` value, through the read-only year reader. Secret entries stay
// locked: no password is asked.
#pragma once

#include <memory>
#include <string>

#include "print/ical_export.h"
#include "schedule/categories.h"
#include "schedule/data_file.h"
#include "schedule/day_items.h"
#include "schedule/prompts.h"
#include "schedule/secret_text.h"
#include "schedule/year_reader.h"
#include "schedule/year_store.h"
#include "settings/options.h"
#include "settings/settings_store.h"

namespace hiyomi {

// An ini file's text as the ini functions read it: "[section]" lines and
// "key=value" lines, blanks around names and values dropped, other lines
// ignored. False when the file is there but cannot be read.
bool LoadIniFile(DataFiles& files, const std::string& path, SettingsStore& store);

class DataFolder final : public DayDataSource {
 public:
  DataFolder(DataFiles& files, const std::string& folder);
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;

  // False with a one-line reason when the folder, its ini file or one of
  // the year files of first..last cannot be read.
  bool Open(SerialDay first, SerialDay last, std::string& problem);

  const Options& options() const { return *options_; }
  const DaySettings& daySettings() const { return daySettings_; }
  IcsOptions IcsChoices() { return LoadIcsOptions(store_); }
  const std::string& BasePath() const { return store_years_.BasePath(); }

  bool DayRecordOf(SerialDay day, DayRecord& out) override { return reader_.DayRecordOf(day, out); }
  std::span<const ScheduleEntry> UndatedEntries() override { return {}; }
  const char* CategoryNameOf(int category) override { return categories_.NameOf(category); }
  int32_t CategoryTextColorOf(int category) override { return categories_.TextColorOf(category); }
  int32_t CategoryBackColorOf(int category) override { return categories_.BackColorOf(category); }
  bool MakeReadable(char (&text)[kEntryTextSize]) override {
    return secrets_.DecipherText(text, MarkMode::Drop) == 0;
  }
  // Neither the temporary-schedule file nor Notrik belongs to the folder.
  std::span<const ToDoItem> ToDoItems() override { return {}; }
  std::span<const TemporaryItem> TemporaryItems() override { return {}; }

 private:
  class QuietPrompts final : public UserPrompts {
   public:
    void Tell(const char*) noexcept override {}
    bool AskYesNo(const char*) noexcept override { return false; }
  };

  DataFiles& files_;
  std::string folder_;
  SettingsStore store_;
  std::unique_ptr<Options> options_ = std::make_unique<Options>();  // large: off the stack
  DaySettings daySettings_;
  CategoryTable categories_;
  SecretTexts secrets_;
  QuietPrompts prompts_;
  YearStore store_years_;
  YearReader reader_;
};

}  // namespace hiyomi
