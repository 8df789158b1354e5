#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/UserInterface.h"

namespace zephirax {

// The real dialogs: message boxes, the open and save dialogs and input boxes
// are modal to the parent window given here.
class QtUserInterface : public UserInterface {
 public:
  explicit QtUserInterface(QWidget* parent = nullptr);
  ~QtUserInterface() override;
  QtUserInterface(const QtUserInterface&) = delete;
  QtUserInterface& operator=(const QtUserInterface&) = delete;

  MsgResult MessageBox(const std::string& caption, const std::string& text,
                       MsgButtons buttons = MsgButtons::Ok,
                       MsgIcon icon = MsgIcon::None) override;
  int Choose(const std::string& caption, const std::string& text,
             const std::vector<std::string>& buttons) override;
  std::optional<std::string> OpenFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override;
  std::optional<std::string> SaveFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& preset) override;
  void Beep() override;
  void Hourglass(bool on) override;

 private:
  QPointer<QWidget> parent_;
  int hourglassDepth_ = 0;
};

// The file dialogs' filter text: {"VOLTAN files", "*.KV;*"} gives
// "VOLTAN files (*.KV *)"; several filters are separated by ";;".
QString FileDialogFilter(const std::vector<FileFilter>& filters);

}  // namespace zephirax
