#include "cli/ConsoleUserInterface.h"

namespace zephirax {

MsgResult ConsoleUserInterface::MessageBox(const std::string& caption, const std::string& text,
                                           MsgButtons buttons, MsgIcon) {
  err_ << caption << ' ' << text << '\n';
  return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgResult::Ok
                                                                      : MsgResult::Yes;
}

int ConsoleUserInterface::Choose(const std::string& caption, const std::string& text,
                                 const std::vector<std::string>&) {
  err_ << caption << ' ' << text << '\n';
  return 0;
}

}  // namespace zephirax
