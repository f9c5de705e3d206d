// The temporary-schedule text file: dated one-line items the user keeps in
// any text editor. Read only; the calendar never writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "almanac/dates.h"
#include "schedule/data_file.h"
#include "schedule/day_items.h"

namespace hiyomi {

inline constexpr int kMaxTemporaryItems = 64;
// More than any hand-kept list; a larger file is read up to here.
inline constexpr size_t kTemporaryReadLimit = size_t{16} << 20;

struct TemporaryColors {
  int32_t text = -1;  // -1 not set
  int32_t back = -1;
};

// The items of the file's text in file order, at most kMaxTemporaryItems,
// each starting with the given colours.
std::vector<TemporaryItem> ParseTemporarySchedules(std::span<const uint8_t> text,
                                                   TemporaryColors defaults);

// The items a lookup sees: the list ends at the first item dated before the
// calendar's first day.
std::span<const TemporaryItem> ListedTemporaryItems(std::span<const TemporaryItem> items) noexcept;

// From position start on, the next item of the day: returns the position
// after it and sets *found, or -1 when there is none.
int FindTemporaryItem(std::span<const TemporaryItem> items, SerialDay serial, int start,
                      const TemporaryItem** found) noexcept;

// The item's colours for the file when the settings give none: both unset
// means the category's pair.
TemporaryColors TemporaryDefaultColors(int32_t settingText, int32_t settingBack,
                                       int32_t categoryText, int32_t categoryBack) noexcept;

// What a failed read of the file tells the user; null when there is
// nothing to tell (read, or no file to open: an empty list is its answer).
const char* TemporaryReadMessage(ReadOutcome outcome) noexcept;

inline constexpr int kEditorCommandChars = 600;
inline constexpr char kDefaultTemporaryFile[] = "Hiyomi_Data.dat";

// The editor command of a slot: the configured command line as it is, or
// Notepad with the file when none is configured.
std::string EditorCommandLine(const char* configured, const std::string& path);

}  // namespace hiyomi
