// What the fuzz targets share: data files kept in memory (thousands of
// inputs a second, and nothing left on disk), prompts that answer no, and a
// check that stops the run where libFuzzer and the sanitizers see it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "schedule/data_file.h"
#include "schedule/prompts.h"

namespace hiyomi::fuzzing {

inline void Check(bool holds) {
  if (!holds) __builtin_trap();
}

class MemoryFiles : public DataFiles {
 public:
  using Bytes = std::vector<uint8_t>;
  std::map<std::string, Bytes> files;

  ReadOutcome Read(const std::string& p, size_t limit, Bytes& out) noexcept override {
    out.clear();
    auto it = files.find(p);
    if (it == files.end()) return ReadOutcome::kNotOpened;
    out.assign(it->second.begin(), it->second.begin() + std::min(limit, it->second.size()));
    return ReadOutcome::kRead;
  }
  std::unique_ptr<DataWriter> CreateWriteThrough(const std::string& p) noexcept override {
    files[p].clear();
    return std::make_unique<Writer>(files[p]);
  }
  bool Copy(const std::string& f, const std::string& t) noexcept override {
    if (!files.count(f)) return false;
    files[t] = files[f];
    return true;
  }
  bool MoveReplace(const std::string& f, const std::string& t) noexcept override {
    if (!files.count(f)) return false;
    files[t] = std::move(files[f]);
    files.erase(f);
    return true;
  }
  bool Remove(const std::string& p) noexcept override { return files.erase(p) > 0; }
  bool Exists(const std::string& p) noexcept override { return files.count(p) > 0; }
  bool LastWriteTime(const std::string& p, int64_t& t) noexcept override {
    t = 0;
    return files.count(p) > 0;
  }
  std::string FullPath(const std::string& n) noexcept override { return "/mem/" + n; }

 private:
  class Writer : public DataWriter {
   public:
    explicit Writer(Bytes& b) : b_(b) {}
    bool Write(const void* d, size_t s) noexcept override {
      const uint8_t* p = static_cast<const uint8_t*>(d);
      b_.insert(b_.end(), p, p + s);
      return true;
    }
    bool Close() noexcept override { return true; }

   private:
    Bytes& b_;
  };
};

class SilentPrompts : public UserPrompts {
 public:
  void Tell(const char*) noexcept override { ++told; }
  bool AskYesNo(const char*) noexcept override { return false; }
  int told = 0;
};

}  // namespace hiyomi::fuzzing
