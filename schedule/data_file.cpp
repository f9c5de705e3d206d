#include "schedule/data_file.h"

namespace hiyomi {

bool SaveDataFile(DataFiles& files, const std::string& path, const std::string& backup,
                  std::span<const std::span<const uint8_t>> pieces) noexcept {
  if (!backup.empty()) {
    // Copied beside and put in place in one step too: a save cut short
    // during the copy must not leave half a backup over the whole older one.
    // A missing file has nothing to keep.
    const std::string backupTemp = TemporaryNameFor(backup);
    if (files.Copy(path, backupTemp)) {
      files.MoveReplace(backupTemp, backup);
    } else {
      files.Remove(backupTemp);
    }
  }
  const std::string temp = TemporaryNameFor(path);
  std::unique_ptr<DataWriter> writer = files.CreateWriteThrough(temp);
  if (!writer) return false;
  bool ok = true;
  for (std::span<const uint8_t> piece : pieces) {
    if (!piece.empty() && !writer->Write(piece.data(), piece.size())) {
      ok = false;
      break;
    }
  }
  ok = writer->Close() && ok;
  writer.reset();
  if (ok) ok = files.MoveReplace(temp, path);
  if (!ok) files.Remove(temp);
  return ok;
}

}  // namespace hiyomi
