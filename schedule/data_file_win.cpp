#include "schedule/data_file.h"

#include <windows.h>

#include "base/win/file_replace.h"

namespace hiyomi {
namespace {

class WinWriter final : public DataWriter {
 public:
  explicit WinWriter(HANDLE h) : h_(h) {}
  ~WinWriter() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool Write(const void* data, size_t size) noexcept override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
      DWORD done = 0;
      if (!WriteFile(h_, p, chunk, &done, nullptr) || done == 0) return false;
      p += done;
      size -= done;
    }
    return true;
  }
  bool Close() noexcept override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(h_) != 0;
    const bool closed = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok && closed;
  }

 private:
  HANDLE h_;
};

class WinDataFiles final : public DataFiles {
 public:
  ReadOutcome Read(const std::string& path, size_t limit, std::vector<uint8_t>& out) noexcept override {
    out.clear();
    // No sharing: the file is held only for the moment of the read.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ReadOutcome::kNotOpened;
    LARGE_INTEGER size{};
    const ReadOutcome outcome =
        !GetFileSizeEx(h, &size)
            ? ReadOutcome::kCutShort
            : ReadOpenedFile(static_cast<uint64_t>(size.QuadPart), limit, out,
                             [h](uint8_t* into, size_t want) -> int64_t {
                               const DWORD chunk = want > 0x40000000 ? 0x40000000 : static_cast<DWORD>(want);
                               DWORD n = 0;
                               return ReadFile(h, into, chunk, &n, nullptr) ? static_cast<int64_t>(n) : -1;
                             });
    CloseHandle(h);
    return outcome;
  }

  std::unique_ptr<DataWriter> CreateWriteThrough(const std::string& path) noexcept override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<WinWriter>(h);
  }

  bool Copy(const std::string& from, const std::string& to) noexcept override {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
  }

  bool MoveReplace(const std::string& from, const std::string& to) noexcept override {
    return MoveIntoPlace(from.c_str(), to.c_str(), true);
  }

  bool Remove(const std::string& path) noexcept override { return DeleteFileA(path.c_str()) != 0; }

  bool Exists(const std::string& path) noexcept override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool LastWriteTime(const std::string& path, int64_t& time) noexcept override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    time = static_cast<int64_t>(uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                data.ftLastWriteTime.dwLowDateTime);
    return true;
  }

  std::string FullPath(const std::string& name) noexcept override {
    char buf[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
    if (n == 0 || n >= sizeof buf) return name;
    return std::string(buf, n);
  }
};

}  // namespace

DataFiles& SystemDataFiles() noexcept {
  static WinDataFiles files;
  return files;
}

}  // namespace hiyomi
