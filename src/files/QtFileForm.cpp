#include "files/QtFileForm.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "files/FileMessages.h"
#include "files/FileTexts.h"
#include "files/QtProgress.h"
#include "files/QtZipArchive.h"
#include "platform/QtLangText.h"

namespace zephirax {

namespace fs = std::filesystem;

namespace {

constexpr int NameRole = Qt::UserRole;  // the name's bytes, as the file system has them

QString Shown(const std::string& bytes) {
  return QFile::decodeName(bytes.c_str());
}

std::string Bytes(const QVariant& data) {
  return data.toByteArray().toStdString();
}

// The folder itself when it exists, else the nearest one above it.
std::string ExistingFolder(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(folder.empty() ? fs::path("/") : fs::path(folder), error);
  path = path.lexically_normal();
  while (!fs::is_directory(path, error) && path.has_relative_path()) path = path.parent_path();
  std::string text = path.string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

struct Listing {
  std::vector<std::string> Folders;
  std::vector<std::string> Files;
};

// The visible entries of a folder, by name regardless of case.
Listing ReadFolder(const std::string& folder) {
  Listing listing;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with('.')) continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) {
      listing.Folders.push_back(name);
    } else if (!kindError) {
      listing.Files.push_back(name);
    }
  }
  const auto byName = [](const std::string& a, const std::string& b) {
    return Shown(a).compare(Shown(b), Qt::CaseInsensitive) < 0;
  };
  std::sort(listing.Folders.begin(), listing.Folders.end(), byName);
  std::sort(listing.Files.begin(), listing.Files.end(), byName);
  return listing;
}

// The volumes a drive box offers: the root, the home folder and what is
// mounted for the user (memory sticks, network shares).
QStringList Volumes() {
  QStringList roots = {QStringLiteral("/"), QDir::homePath()};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = volume.rootPath();
    if (!volume.isValid() || !volume.isReady() || roots.contains(root)) continue;
    if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/")) ||
        root.startsWith(QLatin1String("/run/media/"))) {
      roots << root;
    }
  }
  return roots;
}

}  // namespace

TFileForm::TFileForm(const std::string& folder, int language, UserInterface& ui, Trash& trash,
                     QWidget* parent)
    : QDialog(parent), language_(language), ui_(ui), trash_(trash) {
  setObjectName(QStringLiteral("FileForm"));
  auto* grid = new QGridLayout(this);
  SourceLabel = new QLabel(this);
  DestinationLabel = new QLabel(this);
  grid->addWidget(SourceLabel, 0, 0);
  grid->addWidget(DestinationLabel, 0, 2);
  grid->addWidget(BuildPane(source_, "Source"), 1, 0);
  grid->addWidget(BuildPane(destination_, "Destination"), 1, 2);

  auto* buttons = new QVBoxLayout;
  const auto button = [this, buttons](QPushButton*& made, const char* name,
                                      void (TFileForm::*handler)()) {
    made = new QPushButton(this);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    connect(made, &QPushButton::clicked, this, handler);
    buttons->addWidget(made);
  };
  button(CopyBtn, "CopyBtn", &TFileForm::CopyBtnClick);
  button(MoveBtn, "MoveBtn", &TFileForm::MoveBtnClick);
  button(CompressBtn, "CompressBtn", &TFileForm::CompressBtnClick);
  button(DecompressBtn, "DecompressBtn", &TFileForm::DecompressBtnClick);
  button(DeleteBtn, "DeleteBtn", &TFileForm::DeleteBtnClick);
  button(CreateBtn, "CreateBtn", &TFileForm::CreateBtnClick);
  button(RenameBtn, "RenameBtn", &TFileForm::RenameBtnClick);
  buttons->addStretch();
  HelpBitBtn = new QPushButton(this);
  HelpBitBtn->setObjectName(QStringLiteral("HelpBitBtn"));
  HelpBitBtn->setAutoDefault(false);
  HelpBitBtn->setEnabled(false);
  connect(HelpBitBtn, &QPushButton::clicked, this, [this] {
    if (onHelp_) onHelp_();
  });
  buttons->addWidget(HelpBitBtn);
  CancelBitBtn = new QPushButton(this);
  CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
  CancelBitBtn->setAutoDefault(false);
  connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(CancelBitBtn);
  grid->addLayout(buttons, 1, 1);

  ApplyLanguage();
  const std::string start = ExistingFolder(folder);
  ShowFolder(source_, start);
  ShowFolder(destination_, start);
  resize(900, 560);
}

QWidget* TFileForm::BuildPane(Pane& pane, const char* prefix) {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  const auto named = [prefix](QWidget* widget, const char* kind) {
    widget->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(kind));
  };
  pane.Drives = new QComboBox(box);
  named(pane.Drives, "Drives");
  pane.Drives->addItems(Volumes());
  connect(pane.Drives, &QComboBox::activated, this, [this, &pane](int index) {
    ShowFolder(pane, pane.Drives->itemText(index).toStdString());
  });
  pane.Path = new QLineEdit(box);
  named(pane.Path, "PathEdit");
  pane.Path->setReadOnly(true);
  pane.Folders = new QTreeWidget(box);
  named(pane.Folders, "Folders");
  pane.Folders->setHeaderHidden(true);
  pane.Folders->setRootIsDecorated(false);
  connect(pane.Folders, &QTreeWidget::itemActivated, this,
          [this, &pane](QTreeWidgetItem* item) { FolderActivated(pane, item); });
  pane.Files = new QListWidget(box);
  named(pane.Files, "Files");
  pane.Files->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (QWidget* widget : {static_cast<QWidget*>(pane.Drives), static_cast<QWidget*>(pane.Path),
                          static_cast<QWidget*>(pane.Folders), static_cast<QWidget*>(pane.Files)}) {
    column->addWidget(widget);
  }
  column->setStretch(2, 1);
  column->setStretch(3, 2);
  return box;
}

void TFileForm::ApplyLanguage() {
  const int lang = language_;
  setWindowTitle(Text(FileFormTitle, lang));
  SourceLabel->setText(Text(SourceCaption, lang));
  DestinationLabel->setText(Text(DestinationCaption, lang));
  struct Captioned {
    QPushButton* Button;
    const LangText& Caption;
    const LangText* Hint;
  };
  const Captioned captioned[] = {
      {CopyBtn, CopyBtnCaption, &CopyBtnHint},
      {MoveBtn, MoveBtnCaption, &MoveBtnHint},
      {RenameBtn, RenameBtnCaption, &RenameBtnHint},
      {DeleteBtn, DeleteBtnCaption, &DeleteBtnHint},
      {CreateBtn, CreateBtnCaption, &CreateBtnHint},
      {CompressBtn, CompressBtnCaption, &CompressBtnHint},
      {DecompressBtn, DecompressBtnCaption, &DecompressBtnHint},
      {HelpBitBtn, HelpBtnCaption, nullptr},
      {CancelBitBtn, ExitBtnCaption, nullptr},
  };
  for (const Captioned& c : captioned) {
    c.Button->setText(Text(c.Caption, lang));
    if (c.Hint != nullptr) c.Button->setToolTip(Text(*c.Hint, lang));
  }
}

void TFileForm::SetHelp(std::function<void()> onHelp) {
  onHelp_ = std::move(onHelp);
  HelpBitBtn->setEnabled(static_cast<bool>(onHelp_));
}

void TFileForm::SetSourceFolder(const std::string& folder) {
  ShowFolder(source_, ExistingFolder(folder));
}

void TFileForm::SetDestinationFolder(const std::string& folder) {
  ShowFolder(destination_, ExistingFolder(folder));
}

void TFileForm::ShowFolder(Pane& pane, const std::string& folder) {
  pane.Folder = ExistingFolder(folder);
  pane.Path->setText(Shown(pane.Folder));
  const Listing listing = ReadFolder(pane.Folder);

  // The tree shows the way down from the root, then the folders inside.
  pane.Folders->clear();
  QTreeWidgetItem* parent = nullptr;
  fs::path walked;
  for (const fs::path& part : fs::path(pane.Folder)) {
    walked /= part;
    auto* item =
        parent == nullptr ? new QTreeWidgetItem(pane.Folders) : new QTreeWidgetItem(parent);
    item->setText(0, Shown(part.string()));
    item->setData(0, NameRole, QByteArray::fromStdString(walked.string()));
    item->setExpanded(true);
    parent = item;
  }
  for (const std::string& name : listing.Folders) {
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, Shown(name));
    item->setData(0, NameRole, QByteArray::fromStdString((fs::path(pane.Folder) / name).string()));
  }
  pane.Folders->expandAll();
  if (parent != nullptr) pane.Folders->setCurrentItem(parent);

  pane.Files->clear();
  for (const std::string& name : listing.Files) {
    auto* item = new QListWidgetItem(Shown(name), pane.Files);
    item->setData(NameRole, QByteArray::fromStdString(name));
  }
  const int drive = pane.Drives->findText(QStorageInfo(Shown(pane.Folder)).rootPath());
  if (drive >= 0) pane.Drives->setCurrentIndex(drive);
}

void TFileForm::FolderActivated(Pane& pane, QTreeWidgetItem* item) {
  if (item != nullptr) ShowFolder(pane, Bytes(item->data(0, NameRole)));
}

std::vector<std::string> TFileForm::SelectedNames() const {
  std::vector<std::string> names;
  for (int row = 0; row < SourceFiles->count(); ++row) {
    const QListWidgetItem* item = SourceFiles->item(row);
    if (item->isSelected()) names.push_back(Bytes(item->data(NameRole)));
  }
  return names;
}

void TFileForm::SelectNames(const std::vector<std::string>& names) {
  for (int row = 0; row < SourceFiles->count(); ++row) {
    QListWidgetItem* item = SourceFiles->item(row);
    const std::string name = Bytes(item->data(NameRole));
    item->setSelected(std::find(names.begin(), names.end(), name) != names.end());
  }
}

void TFileForm::Reread() {
  ShowFolder(source_, source_.Folder);
  ShowFolder(destination_, destination_.Folder);
}

void TFileForm::ShowError(const std::string& text) {
  ui_.MessageBox(Tr(ErrorCaption, language_), text, MsgButtons::Ok, MsgIcon::Error);
}

std::optional<std::string> TFileForm::AskName(const LangText& title, const LangText& prompt) {
  std::optional<std::string> name = ui_.InputBox(Tr(title, language_), Tr(prompt, language_), "");
  if (!name || name->empty() || *name == " ") return std::nullopt;
  return name;
}

void TFileForm::Transfer(zephirax::Transfer kind) {
  const std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  std::vector<std::string> files;
  for (const PlannedFile& planned : WithCompanions(source_.Folder, names)) {
    files.push_back(planned.Path);
  }
  const bool copy = kind == zephirax::Transfer::Copy;
  ui_.Hourglass(true);
  OperationOutcome outcome;
  {
    QtProgress progress(Text(copy ? CopyingTitle : MovingTitle, language_),
                        Text(ProgressCancel, language_), this);
    outcome = TransferFiles(kind, files, destination_.Folder, trash_, progress);
  }
  ui_.Hourglass(false);
  if (outcome.Failure) {
    ShowError(FailureMessage(copy ? CopyFailedText : MoveFailedText, *outcome.Failure, language_));
  }
  Reread();
}

void TFileForm::CopyBtnClick() {
  Transfer(zephirax::Transfer::Copy);
}

void TFileForm::MoveBtnClick() {
  Transfer(zephirax::Transfer::Move);
}

void TFileForm::RenameBtnClick() {
  const std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  const std::optional<std::string> newName = AskName(RenameTitle, RenamePrompt);
  if (!newName) return;
  std::optional<FileFailure> failure;
  {
    QtProgress progress(Text(RenamingTitle, language_), Text(ProgressCancel, language_), this);
    progress.Step(names.front(), 0, 1);
    failure = RenameFile((fs::path(source_.Folder) / names.front()).string(), *newName);
  }
  if (failure) ShowError(FailureMessage(RenameFailedText, *failure, language_));
  Reread();
}

void TFileForm::DeleteBtnClick() {
  const std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  std::vector<std::string> files;
  for (const std::string& name : names) files.push_back((fs::path(source_.Folder) / name).string());
  ui_.Hourglass(true);
  OperationOutcome outcome;
  {
    QtProgress progress(Text(DeletingTitle, language_), Text(ProgressCancel, language_), this);
    outcome = TrashFiles(files, trash_, progress);
  }
  ui_.Hourglass(false);
  if (outcome.Failure) ShowError(FailureMessage(DeleteFailedText, *outcome.Failure, language_));
  Reread();
}

void TFileForm::CreateBtnClick() {
  const std::optional<std::string> name = AskName(CreateDirTitle, CreateDirPrompt);
  if (!name) return;
  if (const std::optional<FileFailure> failure = CreateFolder(destination_.Folder, *name)) {
    ShowError(FailureMessage(CreateDirFailedText, *failure, language_));
  }
  Reread();
}

void TFileForm::CompressBtnClick() {
  const std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  const std::optional<std::string> name = AskName(CompressTitle, CompressPrompt);
  if (!name) return;
  const std::string archiveName = *name + ".ZIP";
  if (!IsPlainName(*name)) {
    ShowError(
        FailureMessage(CompressFailedText, {archiveName, OperationFault::BadName, ""}, language_));
    return;
  }
  const std::string archive = (fs::path(destination_.Folder) / archiveName).string();
  const std::vector<PlannedFile> plan = WithCompanions(source_.Folder, names);
  std::vector<std::string> files;
  for (const PlannedFile& planned : plan) files.push_back(planned.Path);

  ui_.Hourglass(true);
  ZipAddOutcome outcome;
  {
    QtProgress progress(Text(CompressingTitle, language_), Text(ProgressCancel, language_), this);
    outcome = AddToZip(archive, files, false, progress);
  }
  ui_.Hourglass(false);
  size_t selectedAdded = 0;
  for (size_t k = 0; k < plan.size(); ++k) {
    if (plan[k].Selected && outcome.Added[k]) ++selectedAdded;
  }
  if (outcome.Cancelled) {
    // The archive stays as it was; the user knows why.
  } else if (outcome.Failed()) {
    ShowError(FailureMessage(CompressFailedText, outcome.FailureOf(archive), language_));
  } else if (selectedAdded < names.size()) {
    ShowError(Tr(NotAllFilesAdded, language_));
  }
  Reread();
}

void TFileForm::DecompressBtnClick() {
  const std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  std::vector<std::string> problems;
  ui_.Hourglass(true);
  {
    QtProgress progress(Text(DecompressingTitle, language_), Text(ProgressCancel, language_), this);
    for (const std::string& name : names) {
      const std::string archive = (fs::path(source_.Folder) / name).string();
      const ZipExtractOutcome outcome = ExtractZip(archive, destination_.Folder, progress);
      if (!outcome.Refused.empty()) {
        problems.push_back(UnsafeEntriesMessage(archive, outcome.Refused, language_));
      }
      for (const FileFailure& failure : outcome.Failures) {
        problems.push_back(FailureMessage(DecompressFailedText, failure, language_));
      }
      if (outcome.Cancelled) break;
    }
  }
  ui_.Hourglass(false);
  if (!problems.empty()) {
    std::string text;
    for (const std::string& problem : problems) text += (text.empty() ? "" : "\n\n") + problem;
    ShowError(text);
  }
  Reread();
}

}  // namespace zephirax
