// Messages "shown as a message": a modal message box captioned with the program's title.
//
// Tests and himlavy-cli put a hook in place of the box; the hook receives the text only.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace himlavy {

// The program's title, the caption of its message boxes.
inline constexpr const char* kProgramTitle = "Himlavy 4.6";

using TMessageHook = std::function<void(const QString& text)>;

// Shows `text` in an application-modal message box over `parent` (with the program's title and
// an OK button). The box is shown without a nested event loop: the call returns at once and
// the rest of the program is blocked until the user closes it. With a hook installed, the
// hook receives the text instead.
void ShowProgramMessage(QWidget* parent, const QString& text);

// Installs `hook` in place of the message box (an empty function removes it) and returns the
// hook that was in place.
TMessageHook SetMessageHook(TMessageHook hook);

}  // namespace himlavy
