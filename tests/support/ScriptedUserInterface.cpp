#include "support/ScriptedUserInterface.h"

#include "app/LoadMessages.h"

namespace zephirax::test {

MsgResult ScriptedUserInterface::MessageBox(const std::string& caption, const std::string& text,
                                            MsgButtons buttons, MsgIcon icon) {
  Messages.push_back({caption, text, buttons, icon});
  if (!MessageAnswers.empty()) {
    const MsgResult answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgResult::Ok
                                                                      : MsgResult::Yes;
}

int ScriptedUserInterface::Choose(const std::string& caption, const std::string& text,
                                  const std::vector<std::string>&) {
  Messages.push_back({caption, text, MsgButtons::YesNo, MsgIcon::None});
  if (ChooseAnswers.empty()) return 0;
  const int answer = ChooseAnswers.front();
  ChooseAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUserInterface::NextFile() {
  if (FileAnswers.empty()) return std::nullopt;
  auto answer = FileAnswers.front();
  FileAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedUserInterface::OpenFileName(
    const std::string& title, const std::string&, const std::vector<FileFilter>& filters) {
  FileRequests.push_back({title, filters});
  return NextFile();
}

std::optional<std::string> ScriptedUserInterface::SaveFileName(
    const std::string& title, const std::string&, const std::vector<FileFilter>& filters) {
  FileRequests.push_back({title, filters});
  return NextFile();
}

std::optional<std::string> ScriptedUserInterface::InputBox(const std::string&, const std::string&,
                                                           const std::string&) {
  if (InputAnswers.empty()) return std::nullopt;
  auto answer = InputAnswers.front();
  InputAnswers.pop_front();
  return answer;
}

LoadResult ShownLoad(LoadResult result, UserInterface& ui, int language,
                     const std::string& fileName, bool reference) {
  if (!result) ShowLoadFault(ui, language, *result.Fault, fileName, reference);
  return result;
}

}  // namespace zephirax::test
