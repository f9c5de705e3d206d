#include "base/message_box.h"

#include <utility>

#include "base/text.h"

namespace hiyomi {

// The box itself: MessageBoxA in the Windows tree, SafeAnswer natively.
MessageAnswer ShowPlatformMessage(void* owner, MessageKind kind, const char* text,
                                  const char* caption);

namespace {

MessageAnswerer& Answerer() {
  static MessageAnswerer answerer;
  return answerer;
}

CaptionedMessageAnswerer& CaptionedAnswerer() {
  static CaptionedMessageAnswerer answerer;
  return answerer;
}

constexpr int kCaptionSize = 64;
constexpr char kDefaultCaption[] = "Hiyomi";

char* CaptionBuffer() {
  static char caption[kCaptionSize] = "Hiyomi";
  return caption;
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

CaptionedMessageAnswerer SetCaptionedMessageAnswererForTests(CaptionedMessageAnswerer answerer) {
  return std::exchange(CaptionedAnswerer(), std::move(answerer));
}

void SetMessageCaption(const char* caption) {
  CopyText(CaptionBuffer(), caption != nullptr && caption[0] != '\0' ? caption : kDefaultCaption,
           kCaptionSize);
}

const char* MessageCaption() { return CaptionBuffer(); }

MessageAnswer ShowMessage(void* owner, MessageKind kind, const char* text) {
  return ShowMessage(owner, kind, text, MessageCaption());
}

MessageAnswer ShowMessage(void* owner, MessageKind kind, const char* text, const char* caption) {
  if (text == nullptr) text = "";
  if (caption == nullptr) caption = MessageCaption();
  if (CaptionedAnswerer()) return CaptionedAnswerer()(kind, text, caption);
  if (Answerer()) return Answerer()(kind, text);
  if (owner != nullptr) RequestCenterNextWindow();
  const MessageAnswer answer = ShowPlatformMessage(owner, kind, text, caption);
  // When no activation consumed the request (the box could not be shown),
  // it must not move some later, unrelated window.
  centerNextWindow = false;
  return answer;
}

void RequestCenterNextWindow() { centerNextWindow = true; }

bool ConsumeCenterNextWindow() { return std::exchange(centerNextWindow, false); }

bool CenterNextWindowPending() { return centerNextWindow; }

}  // namespace hiyomi
