#include "base/message_box.h"

namespace hiyomi {

// No window system here: nobody could answer, so nothing may wait.
MessageAnswer ShowPlatformMessage(void*, MessageKind kind, const char*, const char*) {
  return SafeAnswer(kind);
}

}  // namespace hiyomi
