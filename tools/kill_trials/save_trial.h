// The save that the kill trials cut short: one change to each kind of data
// file (a year file, the undated list, a memo page, a CSV export), made
// through the same code paths the program uses, on any DataFiles. Names
// are relative: the saver runs in the trial's folder.
#pragma once

#include <string>
#include <vector>

#include "schedule/data_file.h"
#include "schedule/prompts.h"

namespace hiyomi::trials {

inline constexpr char kBase[] = "Hiyomi";
inline constexpr int kYear = 2026;
inline constexpr char kMemoPage[] = "Hiyomi.mem";
inline constexpr char kCsvFile[] = "export.csv";
// Written by the saver just before it starts and just after it finished.
inline constexpr char kReadyFlag[] = "ready.flag";
inline constexpr char kSavedFlag[] = "saved.flag";

// The data files and their backups, in the order the save writes them.
std::vector<std::string> TrialFileNames();

// The state before the save: every file with its old content, and older
// backups beside the year and undated files.
bool WriteOldState(DataFiles& files);

// The one change: a day of the year, an undated entry, the memo page's
// text and the export's range. False when any save failed (the prompts
// were told).
bool SaveNewState(DataFiles& files, UserPrompts& prompts);

}  // namespace hiyomi::trials
