#include "settings/options.h"

#include <cstdio>
#include <cstring>

#include "settings/message_box.h"
#include "settings/number_parse.h"

namespace hiyomi {

namespace {

constexpr const char* kShareQuestion =
    "現在の休日、定期予定設定を Default Section に登録しますか？　　";
constexpr const char* kDefaultFont = "ＭＳ Ｐゴシック";

// Keys with a number: "TextColor%d" and the like.
class Key {
 public:
  Key(const char* name, int number) { std::snprintf(text_, sizeof text_, "%s%d", name, number); }
  operator const char*() const { return text_; }

 private:
  char text_[32];
};

// Number default texts for the few keys whose default is computed.
class NumberText {
 public:
  explicit NumberText(int value) { std::snprintf(text_, sizeof text_, "%d", value); }
  operator const char*() const { return text_; }

 private:
  char text_[16];
};

const char* CommonSection(const Options& o) {
  return (o.OptDef & 1) != 0 ? kDefaultSection : nullptr;
}

int ReadFlag(SettingsStore& s, const char* key, const char* def, const char* section = nullptr) {
  return s.ReadBool(key, def, section) ? 1 : 0;
}

void ReadPriorityList(SettingsStore& s, Options& o, int which) {
  char text[261];
  s.ReadString(Key("PtnDay", which), "#", text, sizeof text);
  int list[kPrioritySources];
  if (!ParsePriorityList(text, list)) DefaultPriorityList(which, list);
  for (int i = 0; i < kPrioritySources; ++i) o.PtnDay[which][i] = list[i];
}

void WritePriorityList(SettingsStore& s, const Options& o, int which) {
  char text[kPrioritySources * 3 + 1];
  int used = 0;
  for (int i = 0; i < kPrioritySources; ++i) {
    // Only 0..13 keep the list in its two-digit layout.
    const int source = ClampInt(o.PtnDay[which][i], 0, kPrioritySources - 1);
    used += std::snprintf(text + used, sizeof text - static_cast<size_t>(used), "%02d,", source);
  }
  s.WriteString(Key("PtnDay", which), text);
}

bool IsTableColorCommon(int index) {
  return index >= kColorRegularGroup1 && index < kColorRegularGroup1 + 5;
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
  const char* common = CommonSection(o);
  for (int i = kColorRegularGroup1; i < kColorRegularGroup1 + 5; ++i) {
    o.colors.text[i] = s.ReadColor(Key("TextColor", i + 1), o.colors.text[i], common);
    o.colors.back[i] = s.ReadColor(Key("BackColor", i + 1), o.colors.back[i], common);
  }
  const int weekday = s.ReadInt("Weekday", "0x141", 0, 0xFFFF, common);
  for (int i = 0; i < kRestFlagRoom; ++i) o.Weekday[i] = i < kRestFlagCount ? (weekday >> i) & 1 : 0;
  for (int i = 0; i < kRestRuleCount; ++i) {
    o.WeekdayP[i] = static_cast<unsigned>(s.ReadInt(Key("WeekdayP", i), "0", 0, 0x7FFFFFFF, common));
  }
  for (int i = 0; i < kRegularCount; ++i) {
    o.SDay[i] = s.ReadInt(Key("SDay", i + 1), "0", -4000000, 4000000, common);
    // 39 bytes: the stored names predate the dialog's 40.
    s.ReadString(Key("SDayName", i + 1), "", o.SDayName[i], 40, common);
  }
  CopyRegularSchedules(o.workSDay, o.workSDayName, o.SDay, o.SDayName);
}

void LoadOptions(Options& o, SettingsStore& s, const char* section) {
  s.SelectSection(section, false);
  CopyText(o.profileName, s.CurrentSection(), sizeof o.profileName);

  o.OptDef = s.ReadInt("OptDef", "0", 0, 255);
  o.optDefAtLoad = o.OptDef;
  SetDefaultColors(o.colors, true);
  LoadCommonOptions(o, s);

  o.Yoko = s.ReadInt("Yoko", "7", 1, 366);
  o.YokoSize = s.ReadInt("YokoSize", "85", 10, 200);
  o.Tate = s.ReadInt("Tate", "5", 1, 52);
  o.TateLine = s.ReadInt("TateLine", "3", 0, 10);
  o.Ptn[0] = s.ReadInt("Ptn0", "1", -3, 2);
  o.Ptn[1] = s.ReadInt("Ptn1", "0", 0, 3);
  o.Ptn[2] = s.ReadInt("Ptn2", "0x00", 0, 255);
  o.Ptn[3] = s.ReadInt("Ptn3", "0x31", 0, 255);
  o.Ptn[4] = s.ReadInt("Ptn4", "0x01B0", 0, 0xFFFF);
  o.Ptn[5] = s.ReadInt("Ptn5", "1", -11, 10);
  // The date start days are always fixed: a complemented one is undone.
  if (o.Ptn[5] < -7) o.Ptn[5] = ~o.Ptn[5];
  o.Ptn[6] = s.ReadInt("Ptn6", "0", 0, 1);
  o.Ptn[7] = s.ReadInt("Ptn7", "0", 0, 1);
  o.PtnSDay = s.ReadInt("PtnSDay", "0", 0, 36159);
  o.BDayTime = s.ReadInt("BDayTime", "0", 0, 1440);
  o.BDayMove = s.ReadInt("BDayMove", "0x002", 0, 546);
  o.MCType = ReadFlag(s, "MCType", "1");
  for (int i = 0; i < 3; ++i) o.MCType2[i] = ReadFlag(s, Key("MCType2", i), "0");
  o.MemoPos = ReadFlag(s, "MemoPos", "1");
  o.MemoLine = s.ReadInt("MemoLine", "0", 0, 10);
  o.MemoLine2 = s.ReadInt("MemoLine2", "30", 0, 30);
  if (o.MemoLine2 < o.MemoLine) o.MemoLine2 = o.MemoLine;
  o.Trns[0] = s.ReadInt("Trns0", "255", 0, 255);
  o.Trns[1] = s.ReadInt("Trns1", "255", 0, 255);
  o.TSR = ReadFlag(s, "TSR", "0");
  o.Note = ReadFlag(s, "Note", "0");
  o.Zoom = s.ReadInt("Zoom", "100", 50, 200);
  o.MenuType = s.ReadInt("MenuType", "0", 0, 1);
  o.TTType = s.ReadInt("TTType", "0x11", 0, 17);

  s.ReadString("FontName0", kDefaultFont, o.FontName[0], 31);
  s.ReadString("FontName1", o.FontName[0], o.FontName[1], 31);
  s.ReadString("FontName2", o.FontName[0], o.FontName[2], 31);
  o.FontSize[0] = s.ReadInt("FontSize0", "9", 6, 48);
  o.FontSize[1] = s.ReadInt("FontSize1", "20", 0, 48);
  o.FontSize[2] = o.MenuType == 0 ? 12 : 9;
  static constexpr const char* kBoldDefaults[kFontCount] = {"0", "1", "1"};
  for (int i = 0; i < kFontCount; ++i) o.FontBold[i] = ReadFlag(s, Key("FontBold", i), kBoldDefaults[i]);
  for (int i = 0; i < kFontCount; ++i) o.FontItalic[i] = ReadFlag(s, Key("FontItalic", i), "0");
  o.PenSize[0] = s.ReadInt("PenSize0", "2", 0, 10);
  o.PenSize[1] = s.ReadInt("PenSize1", "2", 0, 10);
  o.PenColor[0] = s.ReadColor("PenColor0", 0x999999);
  o.PenColor[1] = s.ReadColor("PenColor1", 0xFF0000);

  for (int i = 0; i < kColorCount; ++i) {
    if (IsTableColorCommon(i)) continue;
    o.colors.text[i] = s.ReadColor(Key("TextColor", i + 1), o.colors.text[i]);
    o.colors.back[i] = s.ReadColor(Key("BackColor", i + 1), o.colors.back[i]);
  }
  for (int which = 0; which < kPriorityLists; ++which) ReadPriorityList(s, o, which);

  o.TDBtn = ReadFlag(s, "TDBtn", "0", kDefaultSection);
  if (o.TDBtn != 0) {
    s.ReadString("TDBtnTitle", "編集1", o.TDBtnTitle, sizeof o.TDBtnTitle, kDefaultSection);
  } else {
    o.TDBtnTitle[0] = '\0';
  }
  s.ReadString("MemoFile0", "Hiyomi.mem", o.MemoFile[0], sizeof o.MemoFile[0]);
  s.ReadString("MemoFile1", "", o.MemoFile[1], sizeof o.MemoFile[1]);
  s.ReadString("MemoFile2", "", o.MemoFile[2], sizeof o.MemoFile[2]);
  for (int i = 0; i < kMemoPages; ++i) o.MemoRTF[i] = ReadFlag(s, Key("MemoRTF", i), "0");
  for (int i = 0; i < kMemoPages; ++i) {
    s.ReadString(Key("MemoFTitle", i), Key("Memo", i + 1), o.MemoFTitle[i], sizeof o.MemoFTitle[i]);
  }
  o.Notrik = ReadFlag(s, "Notrik", "0");
  s.ReadString("NotrikDir", "", o.NotrikDir, sizeof o.NotrikDir);
  o.NotrikType = s.ReadInt("NotrikType", "2", 0, 2);
  o.NotrikTypeD = ReadFlag(s, "NotrikTypeD", "0");
  o.NotrikTypeC = ReadFlag(s, "NotrikTypeC", "0");
  o.Secret = ReadFlag(s, "Secret", "0", kDefaultSection);
  s.ReadString("PassChar", "&", o.PassChar, sizeof o.PassChar, kDefaultSection);

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

  s.WriteInt("OptDef", o.OptDef);

  const char* common = nullptr;
  bool declined = false;
  if ((o.OptDef & 1) != 0) {
    if ((o.optDefAtLoad & 1) != 0 ||
        ShowMessage(owner, MessageKind::YesNo, kShareQuestion) == MessageAnswer::Yes) {
      common = kDefaultSection;
    } else {
      declined = true;
    }
  }
  for (int i = kColorRegularGroup1; i < kColorRegularGroup1 + 5; ++i) {
    s.WriteColor(Key("TextColor", i + 1), o.colors.text[i], common);
    s.WriteColor(Key("BackColor", i + 1), o.colors.back[i], common);
  }
  int weekday = 0;
  for (int i = 0; i < kRestFlagCount; ++i) {
    if (o.Weekday[i] != 0) weekday |= 1 << i;
  }
  s.WriteInt("Weekday", weekday, common);
  for (int i = 0; i < kRestRuleCount; ++i) {
    s.WriteInt(Key("WeekdayP", i), static_cast<int>(o.WeekdayP[i] & 0x7FFFFFFFu), common);
  }
  for (int i = 0; i < kRegularCount; ++i) {
    const bool kept = o.SDay[i] != 0 && o.SDayName[i][0] != '\0';
    s.WriteString(Key("SDay", i + 1), kept ? static_cast<const char*>(NumberText(o.SDay[i])) : nullptr,
                  common);
    s.WriteString(Key("SDayName", i + 1), kept ? o.SDayName[i] : nullptr, common);
  }
  if (declined) LoadCommonOptions(o, s);

  s.WriteInt("Yoko", o.Yoko);
  s.WriteInt("YokoSize", o.YokoSize);
  s.WriteInt("Tate", o.Tate);
  s.WriteInt("TateLine", o.TateLine);
  for (int i = 0; i < 8; ++i) s.WriteInt(Key("Ptn", i), o.Ptn[i]);
  s.WriteInt("PtnSDay", o.PtnSDay);
  s.WriteInt("BDayTime", o.BDayTime);
  s.WriteBool("MCType", o.MCType != 0);
  for (int i = 0; i < 3; ++i) s.WriteBool(Key("MCType2", i), o.MCType2[i] != 0);
  s.WriteBool("MemoPos", o.MemoPos != 0);
  s.WriteInt("MemoLine", o.MemoLine);
  s.WriteInt("MemoLine2", o.MemoLine2);
  s.WriteInt("Trns0", o.Trns[0]);
  s.WriteInt("Trns1", o.Trns[1]);
  s.WriteBool("TSR", o.TSR != 0);
  s.WriteBool("Note", o.Note != 0);
  s.WriteInt("Zoom", o.Zoom);
  s.WriteInt("MenuType", o.MenuType);
  s.WriteInt("TTType", o.TTType);
  for (int i = 0; i < kFontCount; ++i) {
    o.FontName[i][kFontNameSize - 1] = '\0';
    s.WriteString(Key("FontName", i), o.FontName[i]);
  }
  s.WriteInt("FontSize0", o.FontSize[0]);
  s.WriteInt("FontSize1", o.FontSize[1]);
  for (int i = 0; i < kFontCount; ++i) s.WriteBool(Key("FontBold", i), o.FontBold[i] != 0);
  for (int i = 0; i < kFontCount; ++i) s.WriteBool(Key("FontItalic", i), o.FontItalic[i] != 0);
  s.WriteInt("PenSize0", o.PenSize[0]);
  s.WriteInt("PenSize1", o.PenSize[1]);
  s.WriteColor("PenColor0", o.PenColor[0]);
  s.WriteColor("PenColor1", o.PenColor[1]);
  for (int i = 0; i < kColorCount; ++i) {
    if (IsTableColorCommon(i)) continue;
    s.WriteColor(Key("TextColor", i + 1), o.colors.text[i]);
    s.WriteColor(Key("BackColor", i + 1), o.colors.back[i]);
  }
  for (int which = 0; which < kPriorityLists; ++which) WritePriorityList(s, o, which);
  for (int i = 0; i < kMemoPages; ++i) {
    o.MemoFile[i][kPathTextSize - 1] = '\0';
    s.WriteString(Key("MemoFile", i), o.MemoFile[i]);
  }
  for (int i = 0; i < kMemoPages; ++i) s.WriteBool(Key("MemoRTF", i), o.MemoRTF[i] != 0);
  for (int i = 0; i < kMemoPages; ++i) {
    o.MemoFTitle[i][kMemoTitleSize - 1] = '\0';
    s.WriteString(Key("MemoFTitle", i), o.MemoFTitle[i]);
  }
  s.WriteBool("Notrik", o.Notrik != 0);
  s.WriteInt("NotrikType", o.NotrikType);
  o.NotrikDir[kPathTextSize - 1] = '\0';
  s.WriteString("NotrikDir", o.NotrikDir);
  s.WriteBool("NotrikTypeD", o.NotrikTypeD != 0);
  s.WriteBool("NotrikTypeC", o.NotrikTypeC != 0);

  s.WriteBool("Secret", o.Secret != 0, kDefaultSection);
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
