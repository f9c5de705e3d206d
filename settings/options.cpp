#include "settings/options.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string_view>
#include <type_traits>
#include <utility>

#include "base/message_box.h"
#include "base/number_parse.h"
#include "base/text.h"

namespace hiyomi {

namespace {

using enum OptionType;
using enum OptionSection;
using enum OptionLink;

constexpr const char* kShareQuestion =
    "現在の休日、定期予定設定を Default Section に登録しますか？　　";
constexpr const char* kDefaultFont = "ＭＳ Ｐゴシック";
constexpr int kPriorityTextSize = 261;
constexpr bool kSaved = true;
constexpr bool kLoadedOnly = false;

// Fields of the table: a member, or element number - kBase of an array member.
template <auto kMember>
constexpr OptionField Number() {
  return {.get = [](const Options& o, int) { return o.*kMember; },
          .set = [](Options& o, int, int value) { o.*kMember = value; }};
}

template <auto kMember, int kBase>
constexpr OptionField NumberAt() {
  using Array = std::remove_reference_t<decltype(std::declval<Options&>().*kMember)>;
  return {.get = [](const Options& o, int n) { return (o.*kMember)[n - kBase]; },
          .set = [](Options& o, int n, int value) { (o.*kMember)[n - kBase] = value; },
          .base = kBase,
          .room = static_cast<int>(std::extent_v<Array>)};
}

template <auto kMember>
constexpr OptionField Text() {
  using Buffer = std::remove_reference_t<decltype(std::declval<Options&>().*kMember)>;
  return {.text = [](const Options& o, int) -> const char* { return o.*kMember; },
          .buffer = [](Options& o, int) -> char* { return o.*kMember; },
          .size = static_cast<int>(sizeof(Buffer))};
}

template <auto kMember, int kBase>
constexpr OptionField TextAt() {
  using Array = std::remove_reference_t<decltype(std::declval<Options&>().*kMember)>;
  return {.text = [](const Options& o, int n) -> const char* { return (o.*kMember)[n - kBase]; },
          .buffer = [](Options& o, int n) -> char* { return (o.*kMember)[n - kBase]; },
          .size = static_cast<int>(sizeof(std::remove_extent_t<Array>)),
          .base = kBase,
          .room = static_cast<int>(std::extent_v<Array>)};
}

// TextColor1 is text[0].
template <auto kSide>
constexpr OptionField TableColor() {
  return {.get = [](const Options& o, int n) { return (o.colors.*kSide)[n - 1]; },
          .set = [](Options& o, int n, int value) { (o.colors.*kSide)[n - 1] = value; },
          .base = 1,
          .room = kColorCount};
}

// The rest-day flags are stored as the bits of one number.
constexpr OptionField RestFlags() {
  return {.get =
              [](const Options& o, int) {
                int bits = 0;
                for (int i = 0; i < kRestFlagCount; ++i) {
                  if (o.Weekday[i] != 0) bits |= 1 << i;
                }
                return bits;
              },
          .set =
              [](Options& o, int, int bits) {
                for (int i = 0; i < kRestFlagRoom; ++i) {
                  o.Weekday[i] = i < kRestFlagCount ? (bits >> i) & 1 : 0;
                }
              }};
}

// The rules are unsigned in the record and 31 bits in the store.
constexpr OptionField RestRules() {
  return {.get = [](const Options& o, int n) {
            return static_cast<int>(o.WeekdayP[n] & 0x7FFFFFFFu);
          },
          .set = [](Options& o, int n, int value) { o.WeekdayP[n] = static_cast<unsigned>(value); },
          .base = 0,
          .room = kRestRuleCount};
}

const char* FirstFontName(const Options& o) { return o.FontName[0]; }

constexpr OptionField kPtn = NumberAt<&Options::Ptn, 0>();
constexpr OptionField kFontSize = NumberAt<&Options::FontSize, 0>();
constexpr OptionField kFontBold = NumberAt<&Options::FontBold, 0>();
constexpr OptionField kPenColor = NumberAt<&Options::PenColor, 0>();
constexpr OptionField kTextColor = TableColor<&ColorTable::text>();
constexpr OptionField kBackColor = TableColor<&ColorTable::back>();
constexpr OptionField kMemoFile = TextAt<&Options::MemoFile, 0>();
constexpr OptionField kMemoTitle = TextAt<&Options::MemoFTitle, 0>();
constexpr OptionField kFontName = TextAt<&Options::FontName, 0>();

constexpr OptionKey kKeys[] = {
    // name, first number, count, type, section, default, minimum, maximum, field
    //   [, link, saved, default taken from the record]
    {"OptDef", kNoNumber, 1, kInt, kCurrent, "0", 0, 255, Number<&Options::OptDef>()},
    {"TextColor", 29, 5, kColor, kCommon, nullptr, -1, 0xFFFFFF, kTextColor, kPairedWithNext},
    {"BackColor", 29, 5, kColor, kCommon, nullptr, -1, 0xFFFFFF, kBackColor},
    {"Weekday", kNoNumber, 1, kInt, kCommon, "0x141", 0, 0xFFFF, RestFlags()},
    {"WeekdayP", 0, kRestRuleCount, kInt, kCommon, "0", 0, 0x7FFFFFFF, RestRules()},
    {"SDay", 1, kRegularCount, kInt, kCommon, "0", -4000000, 4000000,
     NumberAt<&Options::SDay, 1>(), kPairedOrDeleted},
    // 39 bytes: the stored names predate the dialog's 40.
    {"SDayName", 1, kRegularCount, kString, kCommon, "", 0, 40, TextAt<&Options::SDayName, 1>()},
    {"Yoko", kNoNumber, 1, kInt, kCurrent, "7", 1, 366, Number<&Options::Yoko>()},
    {"YokoSize", kNoNumber, 1, kInt, kCurrent, "85", 10, 200, Number<&Options::YokoSize>()},
    {"Tate", kNoNumber, 1, kInt, kCurrent, "5", 1, 52, Number<&Options::Tate>()},
    {"TateLine", kNoNumber, 1, kInt, kCurrent, "3", 0, 10, Number<&Options::TateLine>()},
    {"Ptn", 0, 1, kInt, kCurrent, "1", -3, 2, kPtn},
    {"Ptn", 1, 1, kInt, kCurrent, "0", 0, 3, kPtn},
    {"Ptn", 2, 1, kInt, kCurrent, "0x00", 0, 255, kPtn},
    {"Ptn", 3, 1, kInt, kCurrent, "0x31", 0, 255, kPtn},
    {"Ptn", 4, 1, kInt, kCurrent, "0x01B0", 0, 0xFFFF, kPtn},
    {"Ptn", 5, 1, kInt, kCurrent, "1", -11, 10, kPtn},
    {"Ptn", 6, 1, kInt, kCurrent, "0", 0, 1, kPtn},
    {"Ptn", 7, 1, kInt, kCurrent, "0", 0, 1, kPtn},
    {"PtnSDay", kNoNumber, 1, kInt, kCurrent, "0", 0, 36159, Number<&Options::PtnSDay>()},
    {"BDayTime", kNoNumber, 1, kInt, kCurrent, "0", 0, 1440, Number<&Options::BDayTime>()},
    {"BDayMove", kNoNumber, 1, kInt, kCurrent, "0x002", 0, 546, Number<&Options::BDayMove>(),
     kAlone, kLoadedOnly},
    {"MCType", kNoNumber, 1, kFlag, kCurrent, "1", 0, 1, Number<&Options::MCType>()},
    {"MCType2", 0, 3, kFlag, kCurrent, "0", 0, 1, NumberAt<&Options::MCType2, 0>()},
    {"MemoPos", kNoNumber, 1, kFlag, kCurrent, "1", 0, 1, Number<&Options::MemoPos>()},
    {"MemoLine", kNoNumber, 1, kInt, kCurrent, "0", 0, 10, Number<&Options::MemoLine>()},
    {"MemoLine2", kNoNumber, 1, kInt, kCurrent, "30", 0, 30, Number<&Options::MemoLine2>()},
    {"Trns", 0, 2, kInt, kCurrent, "255", 0, 255, NumberAt<&Options::Trns, 0>()},
    {"TSR", kNoNumber, 1, kFlag, kCurrent, "0", 0, 1, Number<&Options::TSR>()},
    {"Note", kNoNumber, 1, kFlag, kCurrent, "0", 0, 1, Number<&Options::Note>()},
    {"Zoom", kNoNumber, 1, kInt, kCurrent, "100", 50, 200, Number<&Options::Zoom>()},
    {"MenuType", kNoNumber, 1, kInt, kCurrent, "0", 0, 1, Number<&Options::MenuType>()},
    {"TTType", kNoNumber, 1, kInt, kCurrent, "0x11", 0, 17, Number<&Options::TTType>()},
    {"FontName", 0, 1, kString, kCurrent, kDefaultFont, 0, 31, kFontName},
    {"FontName", 1, 2, kString, kCurrent, nullptr, 0, 31, kFontName, kAlone, kSaved,
     FirstFontName},
    {"FontSize", 0, 1, kInt, kCurrent, "9", 6, 48, kFontSize},
    {"FontSize", 1, 1, kInt, kCurrent, "20", 0, 48, kFontSize},
    {"FontBold", 0, 1, kFlag, kCurrent, "0", 0, 1, kFontBold},
    {"FontBold", 1, 2, kFlag, kCurrent, "1", 0, 1, kFontBold},
    {"FontItalic", 0, kFontCount, kFlag, kCurrent, "0", 0, 1, NumberAt<&Options::FontItalic, 0>()},
    {"PenSize", 0, 2, kInt, kCurrent, "2", 0, 10, NumberAt<&Options::PenSize, 0>()},
    {"PenColor", 0, 1, kColor, kCurrent, "0x999999", -1, 0xFFFFFF, kPenColor},
    {"PenColor", 1, 1, kColor, kCurrent, "0xFF0000", -1, 0xFFFFFF, kPenColor},
    {"TextColor", 1, 28, kColor, kCurrent, nullptr, -1, 0xFFFFFF, kTextColor, kPairedWithNext},
    {"BackColor", 1, 28, kColor, kCurrent, nullptr, -1, 0xFFFFFF, kBackColor},
    {"TextColor", 34, 7, kColor, kCurrent, nullptr, -1, 0xFFFFFF, kTextColor, kPairedWithNext},
    {"BackColor", 34, 7, kColor, kCurrent, nullptr, -1, 0xFFFFFF, kBackColor},
    {"PtnDay", 0, kPriorityLists, kPriorityList, kCurrent, "#", 0, kPriorityTextSize, {}},
    // The editor button's title means nothing without the button.
    {"TDBtn", kNoNumber, 1, kFlag, kDefault, "0", 0, 1, Number<&Options::TDBtn>(), kGatesNext,
     kLoadedOnly},
    {"TDBtnTitle", kNoNumber, 1, kString, kDefault, "編集1", 0, kTodoTitleSize,
     Text<&Options::TDBtnTitle>(), kAlone, kLoadedOnly},
    {"MemoFile", 0, 1, kString, kCurrent, "Hiyomi.mem", 0, kPathTextSize, kMemoFile},
    {"MemoFile", 1, 2, kString, kCurrent, "", 0, kPathTextSize, kMemoFile},
    {"MemoRTF", 0, kMemoPages, kFlag, kCurrent, "0", 0, 1, NumberAt<&Options::MemoRTF, 0>()},
    {"MemoFTitle", 0, 1, kString, kCurrent, "Memo1", 0, kMemoTitleSize, kMemoTitle},
    {"MemoFTitle", 1, 1, kString, kCurrent, "Memo2", 0, kMemoTitleSize, kMemoTitle},
    {"MemoFTitle", 2, 1, kString, kCurrent, "Memo3", 0, kMemoTitleSize, kMemoTitle},
    {"Notrik", kNoNumber, 1, kFlag, kCurrent, "0", 0, 1, Number<&Options::Notrik>()},
    // Saved files have always held NotrikType before NotrikDir.
    {"NotrikDir", kNoNumber, 1, kString, kCurrent, "", 0, kPathTextSize,
     Text<&Options::NotrikDir>(), kSavedAfterNext},
    {"NotrikType", kNoNumber, 1, kInt, kCurrent, "2", 0, 2, Number<&Options::NotrikType>()},
    {"NotrikTypeD", kNoNumber, 1, kFlag, kCurrent, "0", 0, 1, Number<&Options::NotrikTypeD>()},
    {"NotrikTypeC", kNoNumber, 1, kFlag, kCurrent, "0", 0, 1, Number<&Options::NotrikTypeC>()},
    {"Secret", kNoNumber, 1, kFlag, kDefault, "0", 0, 1, Number<&Options::Secret>()},
    {"PassChar", kNoNumber, 1, kString, kDefault, "&", 0, kPassCharSize,
     Text<&Options::PassChar>(), kAlone, kLoadedOnly},
};
constexpr size_t kKeyRows = std::size(kKeys);

// The common group is one stretch of the table, read and written as one.
constexpr size_t CommonBegin() {
  size_t k = 0;
  while (k < kKeyRows && kKeys[k].section != kCommon) ++k;
  return k;
}

constexpr size_t CommonEnd() {
  size_t k = CommonBegin();
  while (k < kKeyRows && kKeys[k].section == kCommon) ++k;
  return k;
}

constexpr size_t kCommonBegin = CommonBegin();
constexpr size_t kCommonEnd = CommonEnd();

constexpr int Digits(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

constexpr bool RowIsSound(const OptionKey& key) {
  if (key.count < 1 || key.first < kNoNumber) return false;
  if (key.first == kNoNumber && key.count != 1) return false;
  const int last = key.first + key.count - 1;
  const size_t digits = key.first == kNoNumber ? 0 : static_cast<size_t>(Digits(last));
  if (std::string_view(key.name).size() + digits >= kOptionKeyNameSize) return false;
  const OptionField& f = key.field;
  switch (key.type) {
    case kInt:
    case kFlag:
    case kColor:
      if (f.get == nullptr || f.set == nullptr || key.minimum > key.maximum) return false;
      if (key.def == nullptr && key.type != kColor) return false;
      break;
    case kString:
      if (f.text == nullptr || f.buffer == nullptr) return false;
      if (key.maximum < 1 || key.maximum > f.size) return false;
      if ((key.def == nullptr) == (key.defaultOf == nullptr)) return false;
      break;
    case kPriorityList:
      return key.first >= 0 && last < kPriorityLists && key.maximum <= kPriorityTextSize &&
             key.def != nullptr;
  }
  return key.first - f.base >= 0 && key.first - f.base + key.count <= f.room;
}

// Links join two rows only, both saved, except a gate and its string, which
// are loaded only.
constexpr bool LinkIsSound(size_t k) {
  const OptionKey& key = kKeys[k];
  const bool partner = k > 0 && kKeys[k - 1].link != kAlone;
  if (partner && key.link != kAlone) return false;
  if (key.link == kAlone) return key.saved || !partner || kKeys[k - 1].link == kGatesNext;
  if (k + 1 >= kKeyRows) return false;
  const OptionKey& next = kKeys[k + 1];
  if (next.section != key.section) return false;
  if (key.link == kGatesNext) {
    return key.type == kFlag && key.count == 1 && next.type == kString && next.count == 1 &&
           !key.saved && !next.saved;
  }
  if (!key.saved || !next.saved) return false;
  if (key.link == kSavedAfterNext) return true;
  if (next.first != key.first || next.count != key.count) return false;
  return key.link != kPairedOrDeleted || (key.type == kInt && next.type == kString);
}

constexpr bool TableIsSound() {
  // OptDef comes first: it chooses the section of the common group after it.
  if (std::string_view(kKeys[0].name) != "OptDef" || kCommonBegin != 1) return false;
  for (size_t k = kCommonEnd; k < kKeyRows; ++k) {
    if (kKeys[k].section == kCommon) return false;
  }
  for (size_t k = 0; k < kKeyRows; ++k) {
    if (!RowIsSound(kKeys[k]) || !LinkIsSound(k)) return false;
    if (kKeys[k].section == kCommon && !kKeys[k].saved) return false;
  }
  return true;
}
static_assert(TableIsSound(), "a row of the options key table does not fit its field or link");

const char* SectionOf(const OptionKey& key, const char* common) {
  switch (key.section) {
    case kCurrent:
      return nullptr;
    case kDefault:
      return kDefaultSection;
    case kCommon:
      return common;
  }
  return nullptr;
}

const char* CommonSection(const Options& o) {
  return (o.OptDef & 1) != 0 ? kDefaultSection : nullptr;
}

void ReadPriorityList(SettingsStore& s, Options& o, const OptionKey& key, int which,
                      const char* section) {
  char text[kPriorityTextSize];
  s.ReadString(NameOf(key, which).text, key.def, text, key.maximum, section);
  int list[kPrioritySources];
  if (!ParsePriorityList(text, list)) DefaultPriorityList(which, list);
  for (int i = 0; i < kPrioritySources; ++i) o.PtnDay[which][i] = list[i];
}

void WritePriorityList(SettingsStore& s, const Options& o, const OptionKey& key, int which,
                       const char* section) {
  char text[kPrioritySources * 3 + 1];
  int used = 0;
  for (int i = 0; i < kPrioritySources; ++i) {
    // Only 0..13 keep the list in its two-digit layout.
    const int source = ClampInt(o.PtnDay[which][i], 0, kPrioritySources - 1);
    used += std::snprintf(text + used, sizeof text - static_cast<size_t>(used), "%02d,", source);
  }
  s.WriteString(NameOf(key, which).text, text, section);
}

void ReadKey(Options& o, SettingsStore& s, const OptionKey& key, int number, const char* section) {
  const OptionKeyName name = NameOf(key, number);
  const OptionField& f = key.field;
  switch (key.type) {
    case kInt:
      f.set(o, number, s.ReadInt(name.text, key.def, key.minimum, key.maximum, section));
      break;
    case kFlag:
      f.set(o, number, s.ReadBool(name.text, key.def, section) ? 1 : 0);
      break;
    case kColor: {
      // Table colours fall back to the built-in value already in place.
      const int def =
          key.def != nullptr ? static_cast<int>(ParseNumber(key.def)) : f.get(o, number);
      f.set(o, number, s.ReadColor(name.text, def, section));
      break;
    }
    case kString: {
      const char* def = key.defaultOf != nullptr ? key.defaultOf(o) : key.def;
      s.ReadString(name.text, def, f.buffer(o, number), key.maximum, section);
      break;
    }
    case kPriorityList:
      ReadPriorityList(s, o, key, number, section);
      break;
  }
}

void WriteKey(Options& o, SettingsStore& s, const OptionKey& key, int number, const char* section) {
  const OptionKeyName name = NameOf(key, number);
  const OptionField& f = key.field;
  switch (key.type) {
    case kInt:
      s.WriteInt(name.text, f.get(o, number), section);
      break;
    case kFlag:
      s.WriteBool(name.text, f.get(o, number) != 0, section);
      break;
    case kColor:
      s.WriteColor(name.text, f.get(o, number), section);
      break;
    case kString: {
      // The dialogs write these buffers; never trust them to be terminated.
      char* text = f.buffer(o, number);
      text[f.size - 1] = '\0';
      s.WriteString(name.text, text, section);
      break;
    }
    case kPriorityList:
      WritePriorityList(s, o, key, number, section);
      break;
  }
}

void ReadRows(Options& o, SettingsStore& s, size_t begin, size_t end, const char* common) {
  for (size_t k = begin; k < end;) {
    const OptionKey& key = kKeys[k];
    const char* section = SectionOf(key, common);
    if (key.link == kPairedWithNext || key.link == kPairedOrDeleted) {
      const OptionKey& partner = kKeys[k + 1];
      for (int i = 0; i < key.count; ++i) {
        ReadKey(o, s, key, key.first + i, section);
        ReadKey(o, s, partner, partner.first + i, section);
      }
      k += 2;
    } else if (key.link == kGatesNext) {
      const OptionKey& gated = kKeys[k + 1];
      ReadKey(o, s, key, key.first, section);
      if (key.field.get(o, key.first) != 0) {
        ReadKey(o, s, gated, gated.first, section);
      } else {
        gated.field.buffer(o, gated.first)[0] = '\0';
      }
      k += 2;
    } else {
      for (int i = 0; i < key.count; ++i) ReadKey(o, s, key, key.first + i, section);
      k += 1;
    }
  }
}

void WriteRun(Options& o, SettingsStore& s, const OptionKey& key, const char* common) {
  for (int i = 0; i < key.count; ++i) WriteKey(o, s, key, key.first + i, SectionOf(key, common));
}

// A regular schedule needs both its value and its name; without either,
// both keys leave the store.
void WriteOrDelete(Options& o, SettingsStore& s, const OptionKey& value, const OptionKey& text,
                   int number, const char* section) {
  if (value.field.get(o, number) != 0 && text.field.text(o, number)[0] != '\0') {
    WriteKey(o, s, value, number, section);
    WriteKey(o, s, text, number, section);
  } else {
    s.WriteString(NameOf(value, number).text, nullptr, section);
    s.WriteString(NameOf(text, number).text, nullptr, section);
  }
}

void WriteRows(Options& o, SettingsStore& s, size_t begin, size_t end, const char* common) {
  for (size_t k = begin; k < end;) {
    const OptionKey& key = kKeys[k];
    if (!key.saved) {
      k += 1;
      continue;
    }
    const char* section = SectionOf(key, common);
    switch (key.link) {
      case kAlone:
        WriteRun(o, s, key, common);
        k += 1;
        break;
      case kSavedAfterNext:
        WriteRun(o, s, kKeys[k + 1], common);
        WriteRun(o, s, key, common);
        k += 2;
        break;
      case kPairedWithNext:
        for (int i = 0; i < key.count; ++i) {
          WriteKey(o, s, key, key.first + i, section);
          WriteKey(o, s, kKeys[k + 1], key.first + i, section);
        }
        k += 2;
        break;
      case kPairedOrDeleted:
        for (int i = 0; i < key.count; ++i) {
          WriteOrDelete(o, s, key, kKeys[k + 1], key.first + i, section);
        }
        k += 2;
        break;
      case kGatesNext:  // a gate is loaded only: skipped above
        k += 1;
        break;
    }
  }
}

struct CommonChoice {
  const char* section;  // null: the current one
  bool declined;        // sharing is on, but not with what Default holds now
};

CommonChoice ChooseCommonSection(const Options& o, void* owner) {
  if ((o.OptDef & 1) == 0) return {nullptr, false};
  if ((o.optDefAtLoad & 1) != 0 ||
      ShowMessage(owner, MessageKind::YesNo, kShareQuestion) == MessageAnswer::Yes) {
    return {kDefaultSection, false};
  }
  return {nullptr, true};
}

void CopyRegularSchedules(int (&toValues)[kRegularCount],
                          char (&toNames)[kRegularCount][kRegularNameSize],
                          const int (&fromValues)[kRegularCount],
                          const char (&fromNames)[kRegularCount][kRegularNameSize]) {
  std::memcpy(toValues, fromValues, sizeof toValues);
  std::memcpy(toNames, fromNames, sizeof toNames);
  // The dialog writes the names; never trust them to be terminated.
  for (auto& name : toNames) name[kRegularNameSize - 1] = '\0';
}

void DropWorkingCopies(Options& o) {
  o.workColors = o.colors;
  o.workPenColor[0] = o.PenColor[0];
  o.workPenColor[1] = o.PenColor[1];
  CopyRegularSchedules(o.workSDay, o.workSDayName, o.SDay, o.SDayName);
}

}  // namespace

std::span<const OptionKey> OptionKeys() { return kKeys; }

OptionKeyName NameOf(const OptionKey& key, int number) {
  OptionKeyName name{};
  if (number == kNoNumber) {
    CopyText(name.text, key.name, sizeof name.text);
  } else {
    std::snprintf(name.text, sizeof name.text, "%s%d", key.name, number);
  }
  return name;
}

Options& AppOptions() {
  static Options options{};
  return options;
}

void SetDefaultColors(ColorTable& table, bool full) {
  const int face = ButtonFaceColor();
  if (full) {
    struct Row {
      int first, last, text, back;
    };
    static constexpr Row kRows[] = {
        {0, 0, 0x000000, 0xFFFFFF},  {1, 1, 0x000000, 0xFFECD7},   {2, 2, -1, 0xECFFEC},
        {3, 3, 0x000000, 0xECFFEC},  {4, 4, 0x000000, 0xFFFFFF},   {5, 5, -1, -1},
        {6, 17, 0x000000, 0xFFFFFF}, {18, 18, -1, 0xECFFEC},       {19, 25, 0x000000, 0xFFFFFF},
        {26, 26, 0x0000FF, 0xFFFFFF}, {27, 27, 0x0000FF, 0xFFECFF}, {28, 32, -1, -1},
        {33, 33, -1, 0xFFFFFF},      {34, 34, -1, -1},             {35, 37, 0x000000, -2},
        {38, 39, -1, -1},
    };
    for (const Row& r : kRows) {
      for (int i = r.first; i <= r.last; ++i) {
        table.text[i] = r.text;
        table.back[i] = r.back == -2 ? face : r.back;
      }
    }
  } else {
    for (int i = kColorJanuary; i <= kColorRestDay; ++i) {
      if (i == kColorToday) continue;
      table.text[i] = 0x000000;
      table.back[i] = 0xFFFFFF;
    }
  }
  table.text[kColorSunday] = 0x0000FF;
  table.text[kColorSunday + 6] = 0xFF0000;
  table.text[kColorHoliday] = 0x0000FF;
  table.back[kColorHoliday] = 0xFFFFFF;
  table.text[kColorRestDay] = 0x0000FF;
  table.back[kColorRestDay] = 0xFFECFF;
  for (int i : {kColorButtonDown, kColorButtonUp}) {
    table.text[i] = 0x000000;
    table.back[i] = face;
  }
}

bool ParsePriorityList(const char* text, int (&list)[kPrioritySources]) {
  if (text == nullptr || std::strlen(text) <= 40) return false;
  bool seen[kPrioritySources] = {};
  int parsed[kPrioritySources];
  for (int i = 0; i < kPrioritySources; ++i) {
    const int64_t n = ParseNumber(text + 3 * i);
    if (n < 0 || n >= kPrioritySources || seen[n]) return false;
    seen[n] = true;
    parsed[i] = static_cast<int>(n);
  }
  std::memcpy(list, parsed, sizeof list);
  return true;
}

void DefaultPriorityList(int which, int (&list)[kPrioritySources]) {
  static constexpr int kDateText[kPrioritySources] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11, 12, 13};
  for (int i = 0; i < kPrioritySources; ++i) list[i] = which == 2 ? kDateText[i] : i;
}

void LoadCommonOptions(Options& o, SettingsStore& s) {
  ReadRows(o, s, kCommonBegin, kCommonEnd, CommonSection(o));
  CopyRegularSchedules(o.workSDay, o.workSDayName, o.SDay, o.SDayName);
}

void LoadOptions(Options& o, SettingsStore& s, const char* section) {
  s.SelectSection(section, false);
  CopyText(o.profileName, s.CurrentSection(), sizeof o.profileName);

  ReadRows(o, s, 0, kCommonBegin, nullptr);
  o.optDefAtLoad = o.OptDef;
  SetDefaultColors(o.colors, true);
  LoadCommonOptions(o, s);
  ReadRows(o, s, kCommonEnd, kKeyRows, nullptr);

  // The date start days are always fixed: a complemented one is undone.
  if (o.Ptn[5] < -7) o.Ptn[5] = ~o.Ptn[5];
  if (o.MemoLine2 < o.MemoLine) o.MemoLine2 = o.MemoLine;
  // Font 2 has no stored size: it follows the menu type.
  o.FontSize[2] = o.MenuType == 0 ? 12 : 9;

  o.workColors = o.colors;
  o.workPenColor[0] = o.PenColor[0];
  o.workPenColor[1] = o.PenColor[1];
}

bool SaveOptions(Options& o, SettingsStore& s, OptionsDialogState& dialog, void* owner) {
  if (!dialog.applied) {
    DropWorkingCopies(o);
    return false;
  }
  o.colors = o.workColors;
  o.PenColor[0] = o.workPenColor[0];
  o.PenColor[1] = o.workPenColor[1];
  CopyRegularSchedules(o.SDay, o.SDayName, o.workSDay, o.workSDayName);
  dialog.applied = false;

  o.profileName[kProfileNameSize - 1] = '\0';
  if (o.profileName[0] == '\0') CopyText(o.profileName, s.CurrentSection(), sizeof o.profileName);
  if (std::strcmp(o.profileName, s.CurrentSection()) != 0) s.SelectSection(o.profileName, true);

  WriteRows(o, s, 0, kCommonBegin, nullptr);
  const CommonChoice common = ChooseCommonSection(o, owner);
  WriteRows(o, s, kCommonBegin, kCommonEnd, common.section);
  // Declined: the shared values stay in force, not the edits just written.
  if (common.declined) LoadCommonOptions(o, s);
  WriteRows(o, s, kCommonEnd, kKeyRows, nullptr);
  s.FlushSettings();
  return true;
}

int TargetRowCode(const Options& o) { return o.Ptn[0]; }
void SetTargetRowCode(Options& o, int code) { o.Ptn[0] = code; }
bool MovesToDayOne(const Options& o) { return o.Ptn[0] < 0; }
int TitleFormat(const Options& o) { return o.Ptn[1]; }
int HorizontalHeaderStyle(const Options& o) { return o.Ptn[2]; }
int VerticalHeaderCode(const Options& o) { return o.Ptn[3]; }
int RowLabelStyle(const Options& o) { return o.Ptn[3] & 0x0F; }
int DayItemCodes(const Options& o) { return o.Ptn[4]; }
int StartDayCode(const Options& o) { return o.Ptn[5]; }
void SetStartDayCode(Options& o, int code) { o.Ptn[5] = code; }
bool StartDayFixed(const Options& o) { return o.Ptn[5] >= 0; }
bool KeepsWindowPlace(const Options& o) { return o.Ptn[6] == 1; }
bool FramesTodayToo(const Options& o) { return o.Ptn[7] == 1; }

int Transparency(const Options& o, bool active) { return active ? o.Trns[0] : o.Trns[1]; }

bool TooltipEnabled(const Options& o, int mask) {
  return mask != 0 ? (o.TTType & mask) != 0 : o.TTType != 0;
}

bool CategoriesShared(const Options& o) { return (o.OptDef & 0x10) != 0; }

FontChoice OptionsFont(const Options& o, int which) {
  const int i = ClampInt(which, 0, kFontCount - 1);
  return {o.FontName[i], o.FontBold[i] != 0 ? 700 : 400, o.FontItalic[i] != 0};
}

}  // namespace hiyomi
