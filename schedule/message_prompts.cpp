#include "schedule/message_prompts.h"

#include "base/message_box.h"

namespace hiyomi {

void MessagePrompts::Tell(const char* text) noexcept { ShowMessage(owner_, MessageKind::Exclamation, text); }

bool MessagePrompts::AskYesNo(const char* text) noexcept {
  return ShowMessage(owner_, MessageKind::YesNo, text) == MessageAnswer::Yes;
}

}  // namespace hiyomi
