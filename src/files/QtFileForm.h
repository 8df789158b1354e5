#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/FileOperations.h"
#include "platform/LangText.h"
#include "platform/UserInterface.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephirax {

// The file functions: a source and a destination pane, each with its
// volumes, its folder tree, the folder's path and its files (several may be
// selected), and the buttons between them. The operations take the selected
// files of the source; copy, move and compress take each measurement's
// additional-data file along.
class TFileForm : public QDialog {
  Q_OBJECT

 public:
  // Both panes open on `folder` (the nearest existing folder above it when it
  // is missing). `trash` takes deleted and replaced files.
  TFileForm(const std::string& folder, int language, UserInterface& ui, Trash& trash,
            QWidget* parent = nullptr);

  // What the Help button opens; without it the button stays disabled.
  void SetHelp(std::function<void()> onHelp);

  void SetSourceFolder(const std::string& folder);
  void SetDestinationFolder(const std::string& folder);
  const std::string& SourceFolder() const { return source_.Folder; }
  const std::string& DestinationFolder() const { return destination_.Folder; }
  // The names of the selected source files, in list order.
  std::vector<std::string> SelectedNames() const;
  // Selects exactly these source files.
  void SelectNames(const std::vector<std::string>& names);
  // Both panes read their folders anew.
  void Reread();

  void CopyBtnClick();
  void MoveBtnClick();
  void RenameBtnClick();
  void DeleteBtnClick();
  void CreateBtnClick();
  void CompressBtnClick();
  void DecompressBtnClick();

  QLabel* SourceLabel = nullptr;
  QLabel* DestinationLabel = nullptr;
  QComboBox* SourceDrives = nullptr;
  QComboBox* DestinationDrives = nullptr;
  QLineEdit* SourcePathEdit = nullptr;
  QLineEdit* DestinationPathEdit = nullptr;
  QTreeWidget* SourceFolders = nullptr;
  QTreeWidget* DestinationFolders = nullptr;
  QListWidget* SourceFiles = nullptr;
  QListWidget* DestinationFiles = nullptr;
  QPushButton* CopyBtn = nullptr;
  QPushButton* MoveBtn = nullptr;
  QPushButton* CompressBtn = nullptr;
  QPushButton* DecompressBtn = nullptr;
  QPushButton* DeleteBtn = nullptr;
  QPushButton* CreateBtn = nullptr;
  QPushButton* RenameBtn = nullptr;
  QPushButton* HelpBitBtn = nullptr;
  QPushButton* CancelBitBtn = nullptr;

 private:
  struct Pane {
    QComboBox*& Drives;
    QLineEdit*& Path;
    QTreeWidget*& Folders;
    QListWidget*& Files;
    std::string Folder;
  };

  QWidget* BuildPane(Pane& pane, const char* prefix);
  void ApplyLanguage();
  void ShowFolder(Pane& pane, const std::string& folder);
  void FolderActivated(Pane& pane, QTreeWidgetItem* item);
  void Transfer(zephirax::Transfer kind);
  // An input box answer; nothing when cancelled, empty or a single blank.
  std::optional<std::string> AskName(const LangText& title, const LangText& prompt);
  void ShowError(const std::string& text);

  int language_;
  UserInterface& ui_;
  Trash& trash_;
  std::function<void()> onHelp_;
  Pane source_{SourceDrives, SourcePathEdit, SourceFolders, SourceFiles, {}};
  Pane destination_{
      DestinationDrives, DestinationPathEdit, DestinationFolders, DestinationFiles, {}};
};

}  // namespace zephirax
