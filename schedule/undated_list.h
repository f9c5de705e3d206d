// The 50 entries without a date, kept in one fixed-size file.
#pragma once

#include <string>

#include "schedule/data_file.h"
#include "schedule/prompts.h"
#include "schedule/records.h"

namespace hiyomi {

std::string UndatedFileName(const std::string& base);    // "B_0000.dat"
std::string UndatedBackupName(const std::string& base);  // "B_0000.bak"
std::string UndatedBadName(const std::string& base);     // "B_0000.bad"

class UndatedList {
 public:
  UndatedList(DataFiles& files, UserPrompts& prompts) noexcept;

  // `base` is the full base path, as the year store has it.
  void LoadUndated(const std::string& base) noexcept;
  // False only when the data file could not be written (the user was told).
  // A file that could not be read is left as it is.
  bool SaveUndated() noexcept;
  // Call before the entries change: a file that could not be opened at load
  // is read again. False when it still cannot be (the user was told); the
  // entries must not change then.
  bool ReadyForChanges() noexcept;

  ScheduleEntry entries[kUndatedEntries];
  // What the list shows: `visibleRows` rows from `topRow` on.
  int topRow = 0;
  int visibleRows = 5;

 private:
  DataFiles& files_;
  UserPrompts& prompts_;
  std::string base_;
  bool damaged_ = false;
  bool unread_ = false;  // there but could not be opened: never written over
};

}  // namespace hiyomi
