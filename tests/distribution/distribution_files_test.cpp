// The distribution folder as Setup sees it under Wine: the seven files and
// no others, each with the last-write time, in local time, of the version
// Setup's table gives it; and the first-start settings as Hiyomi reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "base/number_parse.h"
#include "schedule/categories.h"
#include "settings/options.h"

namespace {

struct Expected {
  const char* name;
  WORD year, month, day, hour, minute;
};

// V1.51: 2007-04-03 01:51:00, V1.44: 2007-01-21 01:44:00.
constexpr Expected kFiles[] = {
    {"ReadMe.txt", 2007, 4, 3, 1, 51},     {"Hiyomi.exe", 2007, 4, 3, 1, 51},
    {"Hiyomi.chm", 2007, 4, 3, 1, 51},     {"_Hiyomi.ini", 2007, 4, 3, 1, 51},
    {"_HiyomiAge.ini", 2007, 1, 21, 1, 44}, {"Kivrel.exe", 2007, 1, 21, 1, 44},
    {"Setup.exe", 2007, 4, 3, 1, 51},
};

std::string PathOf(const char* name) { return std::string(HIYOMI_DISTRIBUTION_DIR) + "\\" + name; }

TEST(DistributionFiles, EachFileHasItsVersionsLocalTime) {
  for (const Expected& e : kFiles) {
    const HANDLE file = CreateFileA(PathOf(e.name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << e.name;
    FILETIME written{};
    const BOOL read = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    ASSERT_TRUE(read) << e.name;
    FILETIME local{};
    SYSTEMTIME t{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &t));
    EXPECT_EQ(t.wYear, e.year) << e.name;
    EXPECT_EQ(t.wMonth, e.month) << e.name;
    EXPECT_EQ(t.wDay, e.day) << e.name;
    EXPECT_EQ(t.wHour, e.hour) << e.name;
    EXPECT_EQ(t.wMinute, e.minute) << e.name;
    EXPECT_EQ(t.wSecond, 0) << e.name;
  }
}

TEST(DistributionFiles, TheFolderHoldsTheSevenFilesOnly) {
  std::set<std::string> found;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(PathOf("*").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.insert(data.cFileName);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::set<std::string> expected;
  for (const Expected& e : kFiles) expected.insert(e.name);
  EXPECT_EQ(found, expected);
}

// The key table's row and number that spell key, or null.
const hiyomi::OptionKey* OptionKeyOf(const std::string& key) {
  for (const hiyomi::OptionKey& row : hiyomi::OptionKeys()) {
    const int first = row.first == hiyomi::kNoNumber ? hiyomi::kNoNumber : row.first;
    const int last = row.first == hiyomi::kNoNumber ? hiyomi::kNoNumber : row.first + row.count - 1;
    for (int n = first; n <= last; ++n) {
      if (key == hiyomi::NameOf(row, n).text) return &row;
    }
  }
  return nullptr;
}

int NumberAfter(const std::string& key, const char* stem) {
  const size_t length = std::strlen(stem);
  if (key.compare(0, length, stem) != 0 || key.size() == length) return 0;
  for (size_t i = length; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return 0;
  }
  return std::atoi(key.c_str() + length);
}

// Every line is a key Hiyomi reads, its value within the key's range, so the
// first start loads exactly what the file says; category and colour-set
// values are written the way the program itself writes them.
TEST(DistributionFiles, FirstStartSettingsAreKeysHiyomiReadsWithinTheirRanges) {
  std::ifstream in(PathOf("_Hiyomi.ini"), std::ios::binary);
  ASSERT_TRUE(in);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(text.rfind("[Default]\r\n", 0), 0u);
  size_t at = text.find("\r\n") + 2;
  int lines = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const std::string line = text.substr(at, end - at);
    at = end + 2;
    const size_t equals = line.find('=');
    ASSERT_NE(equals, std::string::npos) << line;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    ++lines;
    if (key == "UseReg") {
      EXPECT_EQ(value, "1");  // the ini file beside the program
    } else if (key == "Section") {
      EXPECT_EQ(value, "Default");
    } else if (const int n = NumberAfter(key, "Type"); n >= 1 && n <= hiyomi::kCategoryCount) {
      hiyomi::Category row{};
      EXPECT_TRUE(hiyomi::ParseCategoryValue(value.c_str(), row)) << line;
      EXPECT_EQ(hiyomi::FormatCategoryValue(row), value) << line;
    } else if (const int c = NumberAfter(key, "Color"); c >= 1 && c <= 2 * hiyomi::kColorSetEntries) {
      hiyomi::ColorSetEntry entry{};
      EXPECT_TRUE(hiyomi::ParseColorSetValue(value.c_str(), -1, entry)) << line;
      char written[64];
      std::snprintf(written, sizeof written, "%s,0x%06X", entry.name,
                    static_cast<unsigned>(entry.color));
      EXPECT_EQ(value, written) << line;
    } else {
      const hiyomi::OptionKey* row = OptionKeyOf(key);
      if (row == nullptr) {
        ADD_FAILURE() << "Hiyomi reads no key " << key;
        continue;
      }
      if (row->type == hiyomi::OptionType::kString) {
        EXPECT_LT(static_cast<int>(value.size()), row->maximum) << line;
      } else {
        const int64_t number = hiyomi::ParseNumber(value.c_str());
        EXPECT_GE(number, row->minimum) << line;
        EXPECT_LE(number, row->maximum) << line;
      }
    }
  }
  EXPECT_GT(lines, 2);
}

}  // namespace
