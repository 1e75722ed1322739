#pragma once

// The few messages the configuration and the macro store show the user. The
// core says what to show; the window layer shows it as a message box with a
// single OK button, owned by the main window.

#include <string>

namespace config {

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void ShowMessage(const std::u16string& text, const std::u16string& caption) = 0;
};

// Caption of the warnings.
inline const std::u16string kWarningCaption = u"Warning";

}  // namespace config
