// The few file operations the data files need, behind one interface so the
// formats and the store logic run on POSIX files in native tests and on the
// Win32 file API in the program. Also the save that never leaves a data
// file half written, shared by the year, undated, memo and CSV writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/path_text.h"  // TemporaryNameFor: the name SaveDataFile writes first

namespace hiyomi {

// One file being written; created with write-through and no sharing.
class DataWriter {
 public:
  virtual ~DataWriter() = default;
  virtual bool Write(const void* data, size_t size) noexcept = 0;
  // Flushes and closes; false when anything written did not reach the disk.
  virtual bool Close() noexcept = 0;
};

enum class ReadOutcome : uint8_t {
  kRead,
  kNotOpened,
  kNoMemory,  // no buffer of the file's size could be had
  kCutShort,  // a read failed or the file ended before its size
};

class DataFiles {
 public:
  virtual ~DataFiles() = default;

  // Reads at most `limit` bytes from the start of an existing file: as
  // many as its size when opened. Anything but kRead leaves `out` empty.
  virtual ReadOutcome Read(const std::string& path, size_t limit,
                           std::vector<uint8_t>& out) noexcept = 0;
  // The same where only "read or not" matters.
  bool ReadWhole(const std::string& path, size_t limit, std::vector<uint8_t>& out) noexcept {
    return Read(path, limit, out) == ReadOutcome::kRead;
  }
  // Creates (always anew) for writing with write-through; null on failure.
  virtual std::unique_ptr<DataWriter> CreateWriteThrough(const std::string& path) noexcept = 0;
  // Copies, overwriting `to`.
  virtual bool Copy(const std::string& from, const std::string& to) noexcept = 0;
  // Renames, replacing `to` in one step when it exists.
  virtual bool MoveReplace(const std::string& from, const std::string& to) noexcept = 0;
  virtual bool Remove(const std::string& path) noexcept = 0;
  virtual bool Exists(const std::string& path) noexcept = 0;
  // Last-write time in the system's own units; false when the file is missing.
  virtual bool LastWriteTime(const std::string& path, int64_t& time) noexcept = 0;
  // A name qualified against the current directory.
  virtual std::string FullPath(const std::string& name) noexcept = 0;
};

// For the system backends: reads an opened file of `size` bytes, at most
// `limit`, through `readSome`, which gives how many bytes it read, 0 at
// the end of the file and -1 when the read failed.
ReadOutcome ReadOpenedFile(uint64_t size, size_t limit, std::vector<uint8_t>& out,
                           const std::function<int64_t(uint8_t* into, size_t want)>& readSome) noexcept;

// The files of the running system: POSIX natively, Win32 in the Windows tree.
DataFiles& SystemDataFiles() noexcept;

// Replaces `path` with `pieces`, written one after another. The old content
// is first copied to `backup` (best effort, skipped when `backup` is empty);
// the new one goes to a temporary file beside `path` and is moved over it
// only when completely written, so a failure leaves `path` as it was.
bool SaveDataFile(DataFiles& files, const std::string& path, const std::string& backup,
                  std::span<const std::span<const uint8_t>> pieces) noexcept;

}  // namespace hiyomi
