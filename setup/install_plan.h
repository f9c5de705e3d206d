// What Setup installs and how it decides: the six files, the versions it
// recognises by their local time stamps, the choices a row offers, and the
// run of the chosen copies with its questions. No Win32 here: the files are
// reached through InstallFiles.
#pragma once

#include <array>
#include <string>

namespace hiyomi {

enum class FileKind { kProgram, kSettings };

struct DistributionFile {
  const char* name;
  FileKind kind;
  int expectedVersion;  // index into kVersionTable
};

struct LocalStamp {
  int year, month, day, hour, minute, second;
  bool operator==(const LocalStamp&) const = default;
};

struct KnownVersion {
  int version;  // 151 is V1.51
  LocalStamp stamp;
};

inline constexpr int kNoVersion = -1;  // a stamp that matches no entry
inline constexpr int kCurrentProgramVersion = 11;
inline constexpr int kCurrentAgeVersion = 9;

inline constexpr std::array<KnownVersion, 12> kVersionTable{{
    {100, {2005, 11, 21, 1, 0, 0}},  {110, {2006, 1, 23, 1, 10, 0}},
    {120, {2006, 6, 11, 1, 20, 0}},  {130, {2006, 8, 10, 1, 30, 0}},
    {131, {2006, 8, 22, 1, 31, 2}},  {140, {2006, 9, 21, 1, 40, 0}},
    {141, {2006, 11, 5, 1, 41, 0}},  {142, {2006, 11, 17, 1, 42, 0}},
    {143, {2007, 1, 15, 1, 43, 0}},  {144, {2007, 1, 21, 1, 44, 0}},
    {150, {2007, 3, 18, 1, 50, 0}},  {151, {2007, 4, 3, 1, 51, 0}},
}};

// In display order; row i of the window is file i.
inline constexpr int kFileCount = 6;
inline constexpr std::array<DistributionFile, kFileCount> kDistributionFiles{{
    {"ReadMe.txt", FileKind::kProgram, kCurrentProgramVersion},
    {"Hiyomi.exe", FileKind::kProgram, kCurrentProgramVersion},
    {"Hiyomi.chm", FileKind::kProgram, kCurrentProgramVersion},
    {"Hiyomi.ini", FileKind::kSettings, kCurrentProgramVersion},
    {"HiyomiAge.ini", FileKind::kSettings, kCurrentAgeVersion},
    {"Kivrel.exe", FileKind::kProgram, kCurrentAgeVersion},
}};

// The table index of exactly that local time, or kNoVersion.
int FindVersion(const LocalStamp& stamp);

// The distribution's name of a file: settings files carry a leading "_" so
// that unpacking never replaces the user's own.
std::string SourceNameOf(const DistributionFile& file);

enum class Choice { kNone, kSkip, kAdd, kOverwrite };

// One row after the target folder was read.
struct RowState {
  std::string installedText;  // "なし    ", "????    " or "V1.51    "
  bool exists = false;
  bool needsUpdate = false;
  bool skipEnabled = false;
  bool addEnabled = false;
  bool overwriteEnabled = false;
  Choice preselected = Choice::kNone;
};

// exists with its version index (kNoVersion when unknown).
RowState RowStateOf(const DistributionFile& file, bool exists, int version);

// "%s\\%s_%d" with month × 1000 + day × 10 + attempt, attempt 1..9.
inline constexpr int kBackupAttempts = 9;
std::string BackupNameOf(const std::string& target, const char* name, int month, int day,
                         int attempt);

// The file operations a run needs; Win32 in the program, a fake in tests.
class InstallFiles {
 public:
  virtual ~InstallFiles() = default;
  // Both put the copy in place in one step; a failure leaves `to` as it was.
  virtual bool Add(const std::string& from, const std::string& to) = 0;       // fails when to exists
  virtual bool Overwrite(const std::string& from, const std::string& to) = 0;  // replaces to
  virtual bool Remove(const std::string& path) = 0;
};

struct RowChoice {
  Choice choice = Choice::kNone;
  bool backup = false;
};

struct InstallRequest {
  std::string source;  // the distribution folder (Setup's current directory)
  std::string target;
  std::array<RowChoice, kFileCount> rows{};
  bool deleteSources = false;
  int month = 1;  // today, for the backup names
  int day = 1;
};

// The chosen copies with their questions and closing message (through
// ShowMessage, owner as given). True only when everything succeeded; false
// at once when the user answers No to continue.
bool RunInstall(void* owner, const InstallRequest& request, InstallFiles& files);

}  // namespace hiyomi
