#include "print/print_settings.h"

#include <algorithm>
#include <cstdio>

#include "settings/settings_store.h"

namespace hiyomi {

namespace {

enum class KeyType : int { kInt, kFlag, kColor };

struct LookKey {
  const char* name;
  const char* def;
  int minimum;
  int maximum;
  KeyType type;
  int PrintLook::*number;
  bool PrintLook::*flag;
};

constexpr int kDefaultRuleColor = 0xCCCCCC;

// The appearance keys in the order they are read and written.
constexpr LookKey kLookKeys[] = {
    {"NLine", "6", 1, kMaxSheetLines, KeyType::kInt, &PrintLook::lines, nullptr},
    {"NTColor", "1", 0, 1, KeyType::kFlag, nullptr, &PrintLook::textColor},
    {"NBColor", "1", 0, 1, KeyType::kFlag, nullptr, &PrintLook::backColor},
    {"NXLine", "1", 0, 1, KeyType::kFlag, nullptr, &PrintLook::horizontalRules},
    {"NWLine", "0", 0, 1, KeyType::kFlag, nullptr, &PrintLook::frame},
    {"NYLine", "0", 0, 1, KeyType::kFlag, nullptr, &PrintLook::verticalRules},
    {"NYLineP", "1", 0, 2, KeyType::kInt, &PrintLook::ruleSpacing, nullptr},
    {"NYLineW", "0", 0, kMaxTenthsMm, KeyType::kInt, &PrintLook::ruleWidth, nullptr},
    {"NTLine", "0", 0, 1, KeyType::kFlag, nullptr, &PrintLook::timeLines},
    {"NHourS", "8", 0, 23, KeyType::kInt, &PrintLook::firstHour, nullptr},
    {"NHourE", "0", 0, 23, KeyType::kInt, &PrintLook::lastHour, nullptr},
    {"NLineT", "1", 0, 1, KeyType::kInt, &PrintLook::ruleStyle, nullptr},
    {"NLineC", nullptr, -1, 0xFFFFFF, KeyType::kColor, &PrintLook::ruleColor, nullptr},
    {"NDDays", "0", 0, 1, KeyType::kFlag, nullptr, &PrintLook::dayDifference},
    {"NDUDat", "0", 0, 1, KeyType::kFlag, nullptr, &PrintLook::undated},
};

constexpr const char* kDaysKeys[2] = {"NDays0", "NDays1"};
constexpr const char* kDaysDefaults[2] = {"4", "3"};

// The key read when it is missing, to tell "missing" from any stored value.
constexpr char kMissing[] = "\x01";

bool KeyMissing(SettingsStore& store, const char* key) {
  char text[8];
  store.ReadString(key, kMissing, text, sizeof text);
  return text[0] == kMissing[0] && text[1] == '\0';
}

struct KeyName {
  char text[16];
};
KeyName Numbered(const char* stem, int number) {
  KeyName name{};
  std::snprintf(name.text, sizeof name.text, "%s%d", stem, number);
  return name;
}

int ClampTenths(int value) { return std::clamp(value, 0, kMaxTenthsMm); }

}  // namespace

void NormalizeSheetDays(int (&days)[2]) noexcept {
  for (int& d : days) d = std::clamp(d, 0, kMaxSheetDays);
  if (days[0] == 0 && days[1] == 0) days[0] = 1;
}

PrintLook DefaultPrintLook() noexcept {
  PrintLook look{};
  look.days[0] = 4;
  look.days[1] = 3;
  look.lines = 6;
  look.textColor = true;
  look.backColor = true;
  look.horizontalRules = true;
  look.ruleSpacing = static_cast<int>(RuleSpacing::kTimeLines);
  look.firstHour = 8;
  look.ruleStyle = 1;
  look.ruleColor = kDefaultRuleColor;
  return look;
}

PrintLook LoadPrintLook(SettingsStore& store) {
  PrintLook look{};
  for (int i = 0; i < 2; ++i) look.days[i] = store.ReadInt(kDaysKeys[i], kDaysDefaults[i], 0, kMaxSheetDays);
  NormalizeSheetDays(look.days);
  for (const LookKey& key : kLookKeys) {
    switch (key.type) {
      case KeyType::kInt: look.*key.number = store.ReadInt(key.name, key.def, key.minimum, key.maximum); break;
      case KeyType::kFlag: look.*key.flag = store.ReadBool(key.name, key.def); break;
      case KeyType::kColor: look.*key.number = store.ReadColor(key.name, kDefaultRuleColor); break;
    }
  }
  return look;
}

void SavePrintLook(SettingsStore& store, PrintLook look) {
  NormalizeSheetDays(look.days);
  for (int i = 0; i < 2; ++i) store.WriteInt(kDaysKeys[i], look.days[i]);
  for (const LookKey& key : kLookKeys) {
    switch (key.type) {
      case KeyType::kInt:
        store.WriteInt(key.name, std::clamp(look.*key.number, key.minimum, key.maximum));
        break;
      case KeyType::kFlag: store.WriteBool(key.name, look.*key.flag); break;
      case KeyType::kColor: store.WriteColor(key.name, look.*key.number); break;
    }
  }
}

PrintPlacement LoadPrintPlacement(SettingsStore& store) {
  PrintPlacement p{};
  p.pattern = store.ReadInt("Npptn", "0", 0, kPagePatternCount - 1);
  p.slots = store.ReadInt("Npbtn", "0x03", 1, 15);
  p.pageWidth = store.ReadInt("Nxsize", "0", 0, kMaxTenthsMm);
  p.pageHeight = store.ReadInt("Nysize", "0", 0, kMaxTenthsMm);
  p.lineHeight = store.ReadInt("Nlsize", "0", 0, kMaxLineTenthsMm);
  const bool firstStart = KeyMissing(store, "Npos") && KeyMissing(store, "Nxpos1") &&
                          KeyMissing(store, "Nypos1") && KeyMissing(store, "Nxpos2") &&
                          KeyMissing(store, "Nypos2");
  if (firstStart) {
    p.mode = static_cast<int>(PlacementMode::kOriginAndMargins);
    p.x[0] = p.y[0] = kFirstStartOrigin;
    p.x[2] = p.y[2] = kFirstStartMargin;
  } else {
    p.mode = store.ReadInt("Npos", "2", 1, 2);
    for (int i = 0; i < kPageSlots; ++i) {
      p.x[i] = store.ReadInt(Numbered("Nxpos", i).text, "0", 0, kMaxTenthsMm);
      p.y[i] = store.ReadInt(Numbered("Nypos", i).text, "0", 0, kMaxTenthsMm);
    }
  }
  p.x[kPageSlots] = store.ReadInt("Nxpos4", "0", -kMaxCorrection, kMaxCorrection);
  p.y[kPageSlots] = store.ReadInt("Nypos4", "0", -kMaxCorrection, kMaxCorrection);
  return p;
}

void SavePrintPlacement(SettingsStore& store, const PrintPlacement& p) {
  store.WriteInt("Npptn", std::clamp(p.pattern, 0, kPagePatternCount - 1));
  store.WriteInt("Npbtn", std::clamp(p.slots, 1, 15));
  store.WriteInt("Nxsize", ClampTenths(p.pageWidth));
  store.WriteInt("Nysize", ClampTenths(p.pageHeight));
  store.WriteInt("Nlsize", std::clamp(p.lineHeight, 0, kMaxLineTenthsMm));
  store.WriteInt("Npos", std::clamp(p.mode, 1, 2));
  for (int i = 0; i < kPageSlots; ++i) {
    store.WriteInt(Numbered("Nxpos", i).text, ClampTenths(p.x[i]));
    store.WriteInt(Numbered("Nypos", i).text, ClampTenths(p.y[i]));
  }
  store.WriteInt("Nxpos4", std::clamp(p.x[kPageSlots], -kMaxCorrection, kMaxCorrection));
  store.WriteInt("Nypos4", std::clamp(p.y[kPageSlots], -kMaxCorrection, kMaxCorrection));
}

namespace {

constexpr int kPageNumbers[kPagePatternCount][kPageSlots] = {
    {1, 2, 3, 4},
    {1, 3, 2, 4},
    {2, 3, 6, 7},
    {4, 1, 5, 8},
};

// (H, I): the slot's first day is start + H x left days + I x right days.
struct DayOffset {
  int left;
  int right;
};
constexpr DayOffset kSlotOffsets[kPagePatternCount][kPageSlots] = {
    {{0, 0}, {1, 0}, {1, 1}, {2, 1}},
    {{0, 0}, {2, 0}, {1, 0}, {2, 1}},
    {{0, 1}, {1, 1}, {2, 3}, {3, 3}},
    {{1, 2}, {0, 0}, {3, 4}, {2, 2}},
};

int PatternIndex(PagePattern pattern) {
  return std::clamp(static_cast<int>(pattern), 0, kPagePatternCount - 1);
}

}  // namespace

int SlotPageNumber(PagePattern pattern, int slot) noexcept {
  return kPageNumbers[PatternIndex(pattern)][std::clamp(slot, 0, kPageSlots - 1)];
}

bool CorrectionApplies(PagePattern pattern) noexcept { return pattern != PagePattern::kDuplexFront; }

bool IsDuplex(PagePattern pattern) noexcept {
  return pattern == PagePattern::kDuplexFront || pattern == PagePattern::kDuplexBack;
}

SerialDay SlotFirstDay(PagePattern pattern, int slot, SerialDay start, const int (&days)[2]) noexcept {
  const DayOffset offset = kSlotOffsets[PatternIndex(pattern)][std::clamp(slot, 0, kPageSlots - 1)];
  return start + offset.left * days[0] + offset.right * days[1];
}

int SlotDays(int slot, const int (&days)[2]) noexcept { return days[IsRightColumn(slot) ? 1 : 0]; }

}  // namespace hiyomi
