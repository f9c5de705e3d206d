// Every message box of the program goes through ShowMessage: the program's
// caption ("Hiyomi" unless the program set its own at start), one of five
// kinds, and a seam through which tests answer instead of a person.
#pragma once

#include <functional>

namespace hiyomi {

// The numeric values are the ones callers store and pass around; any value
// outside 1..4 shows the stop icon with OK.
enum class MessageKind : int {
  Stop = 0,         // error icon, OK
  Exclamation = 1,  // exclamation icon, OK
  YesNo = 2,        // question icon, Yes/No
  YesNoCancel = 3,  // question icon, Yes/No/Cancel
  Information = 4,  // information icon, OK
};

enum class MessageAnswer { Ok, Yes, No, Cancel };

// owner is an HWND or null. With an owner, the next window activated on this
// thread (the box) is to be centred over it: see ConsumeCenterNextWindow.
MessageAnswer ShowMessage(void* owner, MessageKind kind, const char* text);
// The same under a caption of its own for this one box.
MessageAnswer ShowMessage(void* owner, MessageKind kind, const char* text, const char* caption);

// The caption of every box shown without one; set once at the program's
// start (Kivrel, Setup). Null or empty restores "Hiyomi".
void SetMessageCaption(const char* caption);
const char* MessageCaption();

// Tests only: answers every ShowMessage instead of a message box while set.
// Returns the previous answerer. Without one and without a window system
// (the native tree), ShowMessage gives SafeAnswer at once.
using MessageAnswerer = std::function<MessageAnswer(MessageKind kind, const char* text)>;
MessageAnswerer SetMessageAnswererForTests(MessageAnswerer answerer);
// The same for tests that check the caption as well; while set it answers
// before the one above.
using CaptionedMessageAnswerer =
    std::function<MessageAnswer(MessageKind kind, const char* text, const char* caption)>;
CaptionedMessageAnswerer SetCaptionedMessageAnswererForTests(CaptionedMessageAnswerer answerer);

// OK for the OK kinds, No for Yes/No, Cancel for Yes/No/Cancel.
MessageAnswer SafeAnswer(MessageKind kind);

// The one-shot centring request. The thread's activation hook calls Consume
// and centres the activated window over its owner when it returns true.
void RequestCenterNextWindow();
bool ConsumeCenterNextWindow();
bool CenterNextWindowPending();

}  // namespace hiyomi
