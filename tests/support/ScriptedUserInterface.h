#pragma once

#include <deque>
#include <string>
#include <vector>

#include "measurement/KeywordScanner.h"
#include "platform/UserInterface.h"

namespace zephirax::test {

// A UserInterface that records what was shown and answers from a script.
class ScriptedUserInterface : public UserInterface {
 public:
  struct Message {
    std::string Caption;
    std::string Text;
    MsgButtons Buttons;
    MsgIcon Icon;
  };

  // What an open or save dialog was asked to show.
  struct FileRequest {
    std::string Title;
    std::vector<FileFilter> Filters;
  };

  std::vector<Message> Messages;
  std::vector<FileRequest> FileRequests;
  std::deque<MsgResult> MessageAnswers;                 // default: Ok / Yes
  std::deque<int> ChooseAnswers;                        // default: the first button
  std::deque<std::optional<std::string>> FileAnswers;   // default: cancelled
  std::deque<std::optional<std::string>> InputAnswers;  // default: cancelled
  int Beeps = 0;
  int HourglassOn = 0;

  MsgResult MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                       MsgIcon icon) override;
  // Recorded as a Message with YesNo buttons.
  int Choose(const std::string& caption, const std::string& text,
             const std::vector<std::string>& buttons) override;
  std::optional<std::string> OpenFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override;
  std::optional<std::string> SaveFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& preset) override;
  void Beep() override { ++Beeps; }
  void Hourglass(bool on) override { HourglassOn += on ? 1 : -1; }

 private:
  std::optional<std::string> NextFile();
};

// A load as the window makes it: a rejected file's message goes to `ui`, in
// `language`, naming `fileName`.
LoadResult ShownLoad(LoadResult result, UserInterface& ui, int language,
                     const std::string& fileName = "", bool reference = false);

}  // namespace zephirax::test
