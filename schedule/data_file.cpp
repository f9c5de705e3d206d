#include "schedule/data_file.h"

#include <algorithm>
#include <new>

namespace hiyomi {

ReadOutcome ReadOpenedFile(uint64_t size, size_t limit, std::vector<uint8_t>& out,
                           const std::function<int64_t(uint8_t* into, size_t want)>& readSome) noexcept {
  out.clear();
  const size_t want = static_cast<size_t>(std::min<uint64_t>(size, limit));
  // Asked for without throwing: a file too big for the memory is told, not
  // an abort.
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[std::max<size_t>(want, 1)]);
  if (!buffer) return ReadOutcome::kNoMemory;
  size_t got = 0;
  while (got < want) {
    const int64_t n = readSome(buffer.get() + got, want - got);
    if (n < 0) return ReadOutcome::kCutShort;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got < want) return ReadOutcome::kCutShort;
  out.assign(buffer.get(), buffer.get() + got);
  return ReadOutcome::kRead;
}

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
