#include "settings/options_win.h"

#include "settings/settings_store.h"
#include "base/text.h"

namespace hiyomi {

HFONT CreateOptionsFont(const Options& options, int which, int height) {
  const FontChoice wanted = OptionsFont(options, which);
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = wanted.weight;
  font.lfItalic = wanted.italic ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  CopyText(font.lfFaceName, wanted.face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

}  // namespace hiyomi
