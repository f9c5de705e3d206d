// The real Hiyomi.exe started on a Hiyomi.ini full of absurd values: every
// option key at once with one kind of absurd value per start, and a few
// special files (empty sections, a thousand sections). Each time it must
// start, show the calendar, close cleanly, and write no key that a plain
// start and close does not write.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/options.h"
#include "tests/shell/hiyomi_process.h"

namespace hiyomi {
namespace {

using namespace hiyomi_test;
using IniKeys = std::map<std::pair<std::string, std::string>, std::string>;

// Lines "[section]" and "key=value", as the profile functions read them.
IniKeys ParseIni(const std::string& text) {
  IniKeys keys;
  std::string section;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      section = line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1);
    } else if (line.find('=') != std::string::npos) {
      keys[{section, line.substr(0, line.find('='))}] = line.substr(line.find('=') + 1);
    }
  }
  return keys;
}

// The keys a start and close changed or added.
std::set<std::pair<std::string, std::string>> Written(const IniKeys& before, const IniKeys& after) {
  std::set<std::pair<std::string, std::string>> written;
  for (const auto& [key, value] : after) {
    auto it = before.find(key);
    if (it == before.end() || it->second != value) written.insert(key);
  }
  return written;
}

// Starts the program on ini, checks it shows and closes cleanly; returns
// the ini it left.
std::string RunOn(const std::string& ini, const char* row) {
  const std::string exe = FreshCopy(HIYOMI_EXE, "hiyomi-absurd", ini.c_str());
  EXPECT_FALSE(exe.empty()) << row;
  Process program;
  if (!Start(exe, program)) {
    ADD_FAILURE() << row << ": did not start";
    return "";
  }
  HWND window = WaitForVisibleWindow(program.info.dwProcessId);
  EXPECT_NE(window, nullptr) << row << ": no calendar shown";
  if (window == nullptr) return "";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(kStartTimeoutMs), 0u) << row << ": did not close cleanly";
  return ReadFileText(FolderOf(exe) + "\\Hiyomi.ini");
}

// Every key of the options table, and the other keys read at start.
std::vector<std::string> AllKeyNames() {
  std::vector<std::string> names;
  for (const OptionKey& key : OptionKeys()) {
    for (int i = 0; i < key.count; ++i) names.push_back(NameOf(key, key.first + i).text);
  }
  for (int i = 1; i <= 10; ++i) names.push_back("Type" + std::to_string(i));
  for (int i = 1; i <= 20; ++i) names.push_back("Color" + std::to_string(i));
  names.push_back("CSVOpt");
  return names;
}

// Resident mode (TSR) is the one key kept sane: with it on, the close box
// hides the calendar in the tray as it should, and the program goes on.
std::string AllKeysAs(const std::string& value) {
  std::string ini = "[Default]\r\nTSR=0\r\n";
  for (const std::string& name : AllKeyNames()) {
    if (name != "TSR") ini += name + "=" + value + "\r\n";
  }
  return ini;
}

TEST(AbsurdSettings, StartsShowsClosesAndWritesOnlyItsOwnKeys) {
  // What a plain start and close writes, and with the window place kept
  // (which an absurd Ptn6 may turn on) the place as well.
  const std::string plain = "[Default]\r\n";
  auto own = Written(ParseIni(plain), ParseIni(RunOn(plain, "plain")));
  const std::string keepPlace = "[Default]\r\nPtn6=1\r\n";
  own.merge(Written(ParseIni(keepPlace), ParseIni(RunOn(keepPlace, "window place kept"))));

  const std::string kilobytes10(10 * 1024, 'W');
  std::string thousandSections;
  for (int i = 0; i < 1000; ++i) thousandSections += "[Profile" + std::to_string(i) + "]\r\nZoom=999\r\n";
  const struct {
    const char* row;
    std::string ini;
  } rows[] = {
      {"huge", AllKeysAs("99999999999999999999999")},
      {"negative", AllKeysAs("-2147483649")},
      {"minus one", AllKeysAs("-1")},
      {"non-digits", AllKeysAs("ｘ12abc&h!")},
      {"hex", AllKeysAs("0xFFFFFFFFFF")},
      {"10 KB", AllKeysAs(kilobytes10)},
      {"lead byte at the end", AllKeysAs("abc\x81")},
      {"lead byte alone", AllKeysAs("\x9F")},
      {"empty values", AllKeysAs("")},
      {"empty sections", "[]\r\n[ ]\r\n[Default]\r\n[]\r\nZoom=\r\n[\r\n]\r\n"},
      {"1000 sections", "[Default]\r\n" + thousandSections},
      {"no section", "Zoom=5\r\nSecret=1\r\n"},
  };
  for (const auto& r : rows) {
    const std::string after = RunOn(r.ini, r.row);
    for (const auto& key : Written(ParseIni(r.ini), ParseIni(after))) {
      EXPECT_TRUE(own.count(key)) << r.row << ": wrote [" << key.first << "] " << key.second;
    }
  }
}

}  // namespace
}  // namespace hiyomi
