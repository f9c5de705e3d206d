// Helpers the schedule tests share: a scratch folder, scripted answers to
// the prompts, and a builder of year files that writes every byte itself.
#pragma once

// Fixtures name only the fields a case is about; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "schedule/data_file.h"
#include "schedule/prompts.h"
#include "schedule/records.h"

namespace hiyomi::testing {

using Bytes = std::vector<uint8_t>;

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(std::filesystem::current_path() / ("scratch-" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Base() const { return File("Hiyomi"); }
  bool Has(const std::string& name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ScriptedPrompts : public UserPrompts {
 public:
  void Tell(const char* text) noexcept override { told.emplace_back(text); }
  bool AskYesNo(const char* text) noexcept override {
    asked.emplace_back(text);
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  std::vector<std::string> told;
  std::vector<std::string> asked;
  std::vector<bool> answers;
};

class CountingListener : public YearFileListener {
 public:
  void YearFileWritten() noexcept override { ++written; }
  int written = 0;
};

inline void PutLe32(Bytes& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

// One entry as it sits in a file, written byte by byte at its offsets.
struct EntryFields {
  int8_t order = 1;
  uint8_t category = 0;
  std::string text;
  int32_t textColor = -1;
  int32_t backColor = -1;
  char mark = 0;
  int32_t span = 0;
};

inline Bytes EntryBytes(const EntryFields& e) {
  Bytes b(64, 0);
  b[0] = static_cast<uint8_t>(e.order);
  b[1] = e.category;
  std::memcpy(&b[2], e.text.data(), std::min<size_t>(e.text.size(), 40));
  PutLe32(b, 43, e.textColor);
  PutLe32(b, 47, e.backColor);
  b[51] = static_cast<uint8_t>(e.mark);
  PutLe32(b, 52, e.span);
  return b;
}

inline Bytes EmptyEntryBytes() {
  Bytes b(64, 0);
  PutLe32(b, 43, -1);
  PutLe32(b, 47, -1);
  return b;
}

// A year file: records in the order given, each with its entries in slots
// 0.. and empty slots after them.
struct DayFields {
  int dayOfYear;  // 0 = 1 January
  int32_t serial;
  std::vector<EntryFields> entries;
  int32_t dayTextColor = -1;
  int32_t dayBackColor = -1;
};

inline constexpr int32_t kCountOfDays = INT32_MIN;

inline Bytes YearFileBytes(const std::vector<DayFields>& days, int32_t declaredCount = kCountOfDays,
                           uint8_t reservedFill = 0xFF) {
  Bytes b(1600, 0xFF);
  for (size_t i = 1468; i < 1600; ++i) b[i] = reservedFill;
  PutLe32(b, 0, declaredCount != kCountOfDays ? declaredCount : static_cast<int32_t>(days.size()));
  for (size_t r = 0; r < days.size(); ++r) PutLe32(b, 4 + 4 * days[r].dayOfYear, static_cast<int32_t>(r));
  for (const DayFields& d : days) {
    Bytes rec(80, 0);
    PutLe32(rec, 0, d.serial);
    PutLe32(rec, 4, d.dayTextColor);
    PutLe32(rec, 8, d.dayBackColor);
    for (int k = 0; k < 8; ++k) {
      const Bytes e = k < static_cast<int>(d.entries.size()) ? EntryBytes(d.entries[k]) : EmptyEntryBytes();
      rec.insert(rec.end(), e.begin(), e.end());
    }
    b.insert(b.end(), rec.begin(), rec.end());
  }
  return b;
}

// Logs reads and writes so a test can see which file was written when.
class LoggingFiles : public DataFiles {
 public:
  explicit LoggingFiles(DataFiles& inner) : inner_(inner) {}
  ReadOutcome Read(const std::string& p, size_t limit, Bytes& out) noexcept override {
    log.push_back("read " + Name(p));
    if (Name(p) == held) {
      out.clear();
      return heldRead;
    }
    return inner_.Read(p, limit, out);
  }
  std::unique_ptr<DataWriter> CreateWriteThrough(const std::string& p) noexcept override {
    if (failAfterWrites >= 0) return std::make_unique<FailingWriter>(inner_.CreateWriteThrough(p), failAfterWrites);
    return inner_.CreateWriteThrough(p);
  }
  bool Copy(const std::string& f, const std::string& t) noexcept override { return inner_.Copy(f, t); }
  bool MoveReplace(const std::string& f, const std::string& t) noexcept override {
    log.push_back("move " + Name(f) + " " + Name(t));
    if (Name(f) == held || Name(t) == held) return false;
    return inner_.MoveReplace(f, t);
  }
  bool Remove(const std::string& p) noexcept override { return inner_.Remove(p); }
  bool Exists(const std::string& p) noexcept override { return inner_.Exists(p); }
  bool LastWriteTime(const std::string& p, int64_t& t) noexcept override { return inner_.LastWriteTime(p, t); }
  std::string FullPath(const std::string& n) noexcept override { return inner_.FullPath(n); }

  std::vector<std::string> log;
  int failAfterWrites = -1;  // the writer fails every write after this many
  std::string held;          // a file another program holds open
  ReadOutcome heldRead = ReadOutcome::kNotOpened;  // what reading it gives

 private:
  class FailingWriter : public DataWriter {
   public:
    FailingWriter(std::unique_ptr<DataWriter> w, int n) : w_(std::move(w)), left_(n) {}
    bool Write(const void* d, size_t s) noexcept override { return left_-- > 0 && w_->Write(d, s); }
    bool Close() noexcept override { return w_->Close(); }

   private:
    std::unique_ptr<DataWriter> w_;
    int left_;
  };
  static std::string Name(const std::string& p) { return std::filesystem::path(p).filename().string(); }
  DataFiles& inner_;
};

inline ScheduleEntry MakeEntry(const std::string& text, int8_t order = 1) {
  ScheduleEntry e = EmptyEntry();
  e.order = order;
  std::strncpy(e.text, text.c_str(), sizeof e.text - 1);
  return e;
}

}  // namespace hiyomi::testing
