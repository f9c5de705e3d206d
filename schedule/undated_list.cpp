#include "schedule/undated_list.h"

#include <cstring>
#include <vector>

namespace hiyomi {
namespace {

constexpr char kCreateFailed[] = "データファイル作成に失敗しました。　　";
constexpr char kNotRead[] = "データファイルを読み込めませんでした。　　";

}  // namespace

std::string UndatedFileName(const std::string& base) { return base + "_0000.dat"; }
std::string UndatedBackupName(const std::string& base) { return base + "_0000.bak"; }
std::string UndatedBadName(const std::string& base) { return base + "_0000.bad"; }

UndatedList::UndatedList(DataFiles& files, UserPrompts& prompts) noexcept
    : files_(files), prompts_(prompts) {
  for (ScheduleEntry& e : entries) e = NewUndatedEntry();
}

void UndatedList::LoadUndated(const std::string& base) noexcept {
  base_ = base;
  damaged_ = false;
  unread_ = false;
  topRow = 0;
  visibleRows = 5;
  std::vector<uint8_t> bytes;
  const std::string name = UndatedFileName(base_);
  if (!files_.ReadWhole(name, kUndatedFileSize + 1, bytes)) {
    for (ScheduleEntry& e : entries) e = NewUndatedEntry();
    // Present but held by another program: read again before a change,
    // never saved over.
    unread_ = files_.Exists(name);
    return;
  }
  // A short file leaves the rest zero, as a fresh block would be.
  damaged_ = bytes.size() != kUndatedFileSize;
  bytes.resize(kUndatedFileSize, 0);
  for (int i = 0; i < kUndatedEntries; ++i) entries[i] = DecodeEntry(bytes.data() + i * kEntrySize);
}

bool UndatedList::ReadyForChanges() noexcept {
  if (unread_) LoadUndated(base_);
  if (!unread_) return true;
  prompts_.Tell(kNotRead);
  return false;
}

bool UndatedList::SaveUndated() noexcept {
  if (base_.empty() || unread_) return true;
  const std::string data = UndatedFileName(base_);
  const std::string backup = UndatedBackupName(base_);
  // A file that did not load whole is kept aside rather than overwritten.
  if (damaged_) {
    if (files_.MoveReplace(data, UndatedBadName(base_)) || !files_.Exists(data)) {
      damaged_ = false;
    } else {
      prompts_.Tell(kCreateFailed);
      return false;
    }
  }

  bool anyText = false;
  for (const ScheduleEntry& e : entries) anyText = anyText || e.text[0] != '\0';
  if (!anyText) {
    // Left in place, the file would bring the cleared entries back.
    if (!files_.MoveReplace(data, backup) && files_.Exists(data)) {
      prompts_.Tell(kCreateFailed);
      return false;
    }
    return true;
  }
  uint8_t bytes[kUndatedFileSize];
  for (int i = 0; i < kUndatedEntries; ++i) EncodeEntry(entries[i], bytes + i * kEntrySize);
  const std::span<const uint8_t> pieces[] = {std::span<const uint8_t>(bytes)};
  if (!SaveDataFile(files_, data, backup, pieces)) {
    prompts_.Tell(kCreateFailed);
    return false;
  }
  return true;
}

}  // namespace hiyomi
