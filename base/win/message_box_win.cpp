#include <windows.h>

#include "base/message_box.h"

namespace hiyomi {

MessageAnswer ShowPlatformMessage(void* owner, MessageKind kind, const char* text,
                                  const char* caption) {
  UINT style = MB_ICONSTOP | MB_OK;
  switch (kind) {
    case MessageKind::Exclamation: style = MB_ICONEXCLAMATION | MB_OK; break;
    case MessageKind::YesNo: style = MB_ICONQUESTION | MB_YESNO; break;
    case MessageKind::YesNoCancel: style = MB_ICONQUESTION | MB_YESNOCANCEL; break;
    case MessageKind::Information: style = MB_ICONINFORMATION | MB_OK; break;
    default: break;
  }
  switch (MessageBoxA(static_cast<HWND>(owner), text, caption, style)) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    case IDCANCEL: return MessageAnswer::Cancel;
    case IDOK: return MessageAnswer::Ok;
    default: return SafeAnswer(kind);  // the box failed to appear
  }
}

}  // namespace hiyomi
