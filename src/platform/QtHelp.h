#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "platform/LangText.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace zephirax {

// The address of a topic's page in a language's help, with its anchor.
QUrl HelpUrl(int language, const QString& topic);

// The program's help window: the pages of one language with their contents,
// back and forward, and a search over the current page and all pages. There
// is one, opened again by every Help button.
//
// A modal dialog blocks every window that is not its own, so the help window
// belongs to the window whose Help button opened it and goes back to that
// window's owner when it closes; that way it stays usable beside the dialog
// and outlives it.
class QtHelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit QtHelpWindow(QWidget* owner = nullptr);

  // The pages of `language`; the window is captioned in it.
  void SetLanguage(int language);
  int Language() const { return language_; }
  // Opens a topic's page at its anchor.
  void ShowTopic(const QString& topic);
  // Marks the next place of `text` on the page and lists the pages holding it.
  void Search(const QString& text);
  // The page shown, with its anchor.
  QUrl Source() const;
  // Belong to `owner`'s window from now on (nullptr: to no window).
  void FollowOwner(QWidget* owner);

  QListWidget* ContentsList = nullptr;
  QTextBrowser* Browser = nullptr;
  QPushButton* BackButton = nullptr;
  QPushButton* ForwardButton = nullptr;
  QPushButton* HomeButton = nullptr;
  QLineEdit* SearchEdit = nullptr;
  QPushButton* SearchButton = nullptr;
  QLabel* FoundLabel = nullptr;
  QListWidget* FoundList = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Page {
    QString File;
    QString Title;
    QString Text;  // what the reader sees, for the search
  };

  void ApplyCaptions();
  void LoadPages();
  void OpenPage(const QString& file, const QString& find = QString());
  void MarkCurrentPage(const QUrl& source);
  bool FindOnPage(const QString& text);

  int language_ = -1;
  QString folder_;
  std::vector<Page> pages_;
};

// Opens the help on `topic` in `language`, reusing the help window when it is
// open; `parent` is the window whose Help button asked. An unknown topic
// opens the contents.
void ShowHelp(Language language, const QString& topic, QWidget* parent);
// The same for a language code of the settings; an unknown code reads English.
void ShowHelp(int language, const QString& topic, QWidget* parent);

// The help window when there is one, else nullptr.
QtHelpWindow* OpenHelpWindow();

}  // namespace zephirax
