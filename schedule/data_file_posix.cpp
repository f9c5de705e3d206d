#include "schedule/data_file.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hiyomi {
namespace {

class PosixWriter final : public DataWriter {
 public:
  explicit PosixWriter(int fd) : fd_(fd) {}
  ~PosixWriter() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Write(const void* data, size_t size) noexcept override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t n = ::write(fd_, p, size);
      if (n <= 0) return false;
      p += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }
  bool Close() noexcept override {
    if (fd_ < 0) return false;
    const bool ok = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return ok && closed;
  }

 private:
  int fd_;
};

class PosixDataFiles final : public DataFiles {
 public:
  ReadOutcome Read(const std::string& path, size_t limit, std::vector<uint8_t>& out) noexcept override {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return ReadOutcome::kNotOpened;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      ::close(fd);
      return ReadOutcome::kCutShort;
    }
    const ReadOutcome outcome = ReadOpenedFile(
        static_cast<uint64_t>(st.st_size), limit, out, [fd](uint8_t* into, size_t want) -> int64_t {
          for (;;) {
            const ssize_t n = ::read(fd, into, want);
            if (n >= 0 || errno != EINTR) return n;
          }
        });
    ::close(fd);
    return outcome;
  }

  std::unique_ptr<DataWriter> CreateWriteThrough(const std::string& path) noexcept override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_SYNC, 0644);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWriter>(fd);
  }

  bool Copy(const std::string& from, const std::string& to) noexcept override {
    std::vector<uint8_t> bytes;
    struct stat st;
    if (::stat(from.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (!ReadWhole(from, static_cast<size_t>(st.st_size), bytes)) return false;
    std::unique_ptr<DataWriter> w = CreateWriteThrough(to);
    if (!w) return false;
    const bool ok = w->Write(bytes.data(), bytes.size());
    return w->Close() && ok;
  }

  bool MoveReplace(const std::string& from, const std::string& to) noexcept override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool Remove(const std::string& path) noexcept override { return ::unlink(path.c_str()) == 0; }

  bool Exists(const std::string& path) noexcept override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }

  bool LastWriteTime(const std::string& path, int64_t& time) noexcept override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    time = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
  }

  std::string FullPath(const std::string& name) noexcept override {
    if (!name.empty() && name[0] == '/') return name;
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return name;
    return std::string(buf) + "/" + name;
  }
};

}  // namespace

DataFiles& SystemDataFiles() noexcept {
  static PosixDataFiles files;
  return files;
}

}  // namespace hiyomi
