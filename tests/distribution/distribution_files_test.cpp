// The distribution folder as Setup sees it under Wine: the seven files and
// no others, each with the last-write time, in local time, of the version
// Setup's table gives it.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

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

}  // namespace
