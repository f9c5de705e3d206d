#include "tools/export/data_folder.h"

#include <string_view>
#include <vector>

#include "base/little_endian.h"
#include "settings/day_settings.h"
#include "settings/memory_backend.h"

namespace hiyomi {

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif
constexpr char kIniName[] = "Hiyomi.ini";
constexpr size_t kIniLimit = 4u << 20;  // far beyond any settings file

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
  return folder + kSeparator + name;
}

}  // namespace

bool LoadIniFile(DataFiles& files, const std::string& path, SettingsStore& store) {
  auto backend = std::make_unique<MemorySettingsBackend>();
  bool read = true;
  if (files.Exists(path)) {
    std::vector<uint8_t> bytes;
    read = files.ReadWhole(path, kIniLimit, bytes);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string section;
    while (!text.empty()) {
      const size_t end = text.find('\n');
      const std::string_view line = Trimmed(text.substr(0, end));
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        section = std::string(Trimmed(line.substr(1, line.size() - 2)));
        continue;
      }
      const size_t equals = line.find('=');
      if (section.empty() || equals == std::string_view::npos || line.front() == ';') continue;
      const std::string key(Trimmed(line.substr(0, equals)));
      const std::string value(Trimmed(line.substr(equals + 1)));
      if (!key.empty()) backend->Write(section.c_str(), key.c_str(), value.c_str());
    }
  }
  char section[kSettingsSectionSize];
  backend->Read(kDefaultSection, "Section", kDefaultSection, section, sizeof section);
  store.Attach(std::move(backend), section, kDefaultSection, path.c_str());
  return read;
}

DataFolder::DataFolder(DataFiles& files, const std::string& folder)
    : files_(files), folder_(folder), store_years_(files, prompts_), reader_(files, store_years_) {}

bool DataFolder::Open(SerialDay first, SerialDay last, std::string& problem) {
  const std::string ini = InFolder(folder_, kIniName);
  if (!LoadIniFile(files_, ini, store_)) {
    problem = "cannot read " + ini;
    return false;
  }
  LoadOptions(*options_, store_, store_.CurrentSection());
  daySettings_ = DaySettingsOf(*options_);
  categories_.Load(store_, CategorySection(options_->OptDef));
  secrets_.LoadSettings(store_);

  std::string base = ReadDataFileSetting(store_);
  if (!IsAbsolute(base)) base = InFolder(folder_, base);
  const int firstYear = DateFromSerial(first).year;
  const int lastYear = DateFromSerial(last).year;
  store_years_.Open(base, firstYear);
  for (int year = firstYear; year <= lastYear; ++year) {
    const std::string path = YearFileName(store_years_.BasePath(), year);
    if (!files_.Exists(path)) continue;
    std::vector<uint8_t> header;
    if (!files_.ReadWhole(path, kHeaderSize, header) || header.size() < kHeaderSize) {
      problem = "cannot read " + path;
      return false;
    }
    const int32_t count = GetI32(header.data());
    if (count < 0 || count > kMaxDayRecords) {
      problem = "damaged year file " + path;
      return false;
    }
  }
  return true;
}

}  // namespace hiyomi
