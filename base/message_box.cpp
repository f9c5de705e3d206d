#include "base/message_box.h"

#include <utility>

namespace hiyomi {

// The box itself: MessageBoxA in the Windows tree, SafeAnswer natively.
MessageAnswer ShowPlatformMessage(void* owner, MessageKind kind, const char* text);

namespace {

MessageAnswerer& Answerer() {
  static MessageAnswerer answerer;
  return answerer;
}

// Message boxes are shown and activated only on the user-interface thread;
// the flag is per thread so a worker can never steal it.
thread_local bool centerNextWindow = false;

}  // namespace

MessageAnswer SafeAnswer(MessageKind kind) {
  switch (kind) {
    case MessageKind::YesNo: return MessageAnswer::No;
    case MessageKind::YesNoCancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
  }
}

MessageAnswerer SetMessageAnswererForTests(MessageAnswerer answerer) {
  return std::exchange(Answerer(), std::move(answerer));
}

MessageAnswer ShowMessage(void* owner, MessageKind kind, const char* text) {
  if (Answerer()) return Answerer()(kind, text != nullptr ? text : "");
  if (owner != nullptr) RequestCenterNextWindow();
  const MessageAnswer answer = ShowPlatformMessage(owner, kind, text != nullptr ? text : "");
  // When no activation consumed the request (the box could not be shown),
  // it must not move some later, unrelated window.
  centerNextWindow = false;
  return answer;
}

void RequestCenterNextWindow() { centerNextWindow = true; }

bool ConsumeCenterNextWindow() { return std::exchange(centerNextWindow, false); }

bool CenterNextWindowPending() { return centerNextWindow; }

}  // namespace hiyomi
