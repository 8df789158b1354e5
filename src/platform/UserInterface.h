#pragma once

#include <optional>
#include <string>
#include <vector>

// What the workflows need from the person at the screen. The desktop program
// shows real dialogs; tests pass a scripted implementation; the command line
// prints messages on stderr. All texts are UTF-8.

namespace zephirax {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };
// The symbol beside the text; a question (YesNo, YesNoCancel) always shows its own.
enum class MsgIcon { None, Error, Warning };

struct FileFilter {
  std::string Description;  // "VOLTAN files"
  std::string Pattern;      // "*.KV;*"
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal message box; returns the button the user pressed.
  virtual MsgResult MessageBox(const std::string& caption, const std::string& text,
                               MsgButtons buttons = MsgButtons::Ok,
                               MsgIcon icon = MsgIcon::None) = 0;
  // A modal question with buttons of the caller's own texts, in that order;
  // returns the index of the chosen one, -1 when closed without a choice.
  // The first button is the affirmative one.
  virtual int Choose(const std::string& caption, const std::string& text,
                     const std::vector<std::string>& buttons) = 0;
  // The open and save dialogs; no value when the user cancels.
  virtual std::optional<std::string> OpenFileName(const std::string& title,
                                                  const std::string& folder,
                                                  const std::vector<FileFilter>& filters) = 0;
  virtual std::optional<std::string> SaveFileName(const std::string& title,
                                                  const std::string& folder,
                                                  const std::vector<FileFilter>& filters) = 0;
  // An input box with a preset text; no value when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& preset) = 0;
  virtual void Beep() = 0;
  // The busy cursor while long work runs.
  virtual void Hourglass(bool on) = 0;
};

}  // namespace zephirax
