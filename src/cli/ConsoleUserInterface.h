#pragma once

#include <ostream>

#include "platform/UserInterface.h"

namespace zephirax {

// The command line has nobody to click: messages go to a stream (stderr) as
// "caption text", questions take their default answer and dialogs are cancelled.
class ConsoleUserInterface : public UserInterface {
 public:
  explicit ConsoleUserInterface(std::ostream& err) : err_(err) {}

  MsgResult MessageBox(const std::string& caption, const std::string& text,
                       MsgButtons buttons, MsgIcon icon) override;
  // Prints the question and takes the first button.
  int Choose(const std::string& caption, const std::string& text,
             const std::vector<std::string>& buttons) override;
  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return std::nullopt;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  void Beep() override {}
  void Hourglass(bool) override {}

 private:
  std::ostream& err_;
};

}  // namespace zephirax
