#include "schedule/data_file.h"

namespace hiyomi {

bool SaveDataFile(DataFiles& files, const std::string& path, const std::string& backup,
                  std::span<const std::span<const uint8_t>> pieces) noexcept {
  if (!backup.empty()) files.Copy(path, backup);  // a missing file has nothing to keep
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
