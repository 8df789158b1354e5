#include "platform/QtHelp.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/HelpTopics.h"
#include "platform/QtLangText.h"

namespace zephirax {
namespace {

constexpr LangText HelpTitle{"ZEPHIRAX Hilfe", "ZEPHIRAX Help", "Aide ZEPHIRAX", "Ayuda ZEPHIRAX"};
constexpr LangText BackCaption{"< Zurück", "< Back", "< Précédent", "< Atrás"};
constexpr LangText ForwardCaption{"Vor >", "Forward >", "Suivant >", "Adelante >"};
constexpr LangText HomeCaption{"Inhalt", "Contents", "Sommaire", "Contenido"};
constexpr LangText SearchCaption{"Suchen", "Find", "Rechercher", "Buscar"};
constexpr LangText SearchPrompt{"Suchbegriff", "Search text", "Texte à rechercher",
                                "Texto a buscar"};
// %1 is the text searched for.
constexpr LangText FoundText{"Seiten mit „%1“:", "Pages containing \"%1\":",
                             "Pages contenant « %1 » :", "Páginas con «%1»:"};
constexpr LangText NotFoundText{
    "„%1“ kommt in der Hilfe nicht vor.", "\"%1\" does not occur in the help.",
    "« %1 » ne figure pas dans l'aide.", "«%1» no aparece en la ayuda."};

QPointer<QtHelpWindow>& TheWindow() {
  static QPointer<QtHelpWindow> window;
  return window;
}

QString PagePath(const QString& folder, const QString& file) {
  return QStringLiteral(":/help/%1/%2").arg(folder, file);
}

QUrl PageUrl(const QString& folder, const QString& file) {
  return QUrl(QStringLiteral("qrc:/help/%1/%2").arg(folder, file));
}

// The page's file name, from its address.
QString FileOf(const QUrl& url) {
  const QString path = url.path();
  return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QPushButton* NewButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QUrl HelpUrl(int language, const QString& topic) {
  const HelpPlace place = HelpTopicPlace(topic.toStdString());
  QString folder = QString::fromLatin1(HelpLanguageFolder(language));
  const QString page = QString::fromLatin1(place.Page);
  // A page missing from a language is shown in English rather than not at all.
  if (!QFile::exists(PagePath(folder, page))) {
    folder = QString::fromLatin1(HelpLanguageFolder(English));
  }
  QUrl url = PageUrl(folder, page);
  if (*place.Anchor != '\0') url.setFragment(QString::fromLatin1(place.Anchor));
  return url;
}

QtHelpWindow::QtHelpWindow(QWidget* owner) : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  // The help never keeps the program running on its own.
  setAttribute(Qt::WA_QuitOnClose, false);

  ContentsList = new QListWidget(this);
  ContentsList->setObjectName(QStringLiteral("ContentsList"));
  SearchEdit = new QLineEdit(this);
  SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
  SearchEdit->setClearButtonEnabled(true);
  SearchButton = NewButton("SearchButton", this);
  FoundLabel = new QLabel(this);
  FoundLabel->setObjectName(QStringLiteral("FoundLabel"));
  FoundLabel->setWordWrap(true);
  FoundList = new QListWidget(this);
  FoundList->setObjectName(QStringLiteral("FoundList"));
  BackButton = NewButton("BackButton", this);
  ForwardButton = NewButton("ForwardButton", this);
  HomeButton = NewButton("HomeButton", this);
  Browser = new QTextBrowser(this);
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenExternalLinks(false);
  // One look for the tables of every page, kept here rather than in each page.
  Browser->document()->setDefaultStyleSheet(
      QStringLiteral("table { border-collapse: collapse; margin-bottom: 8px; }\n"
                     "th, td { border: 1px solid #808080; padding: 3px; vertical-align: top; }\n"
                     "th { background-color: #e8e8e8; text-align: left; }\n"));
  BackButton->setEnabled(false);
  ForwardButton->setEnabled(false);

  auto* side = new QWidget(this);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(ContentsList, 3);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(SearchEdit, 1);
  searchRow->addWidget(SearchButton);
  sideLayout->addLayout(searchRow);
  sideLayout->addWidget(FoundLabel);
  sideLayout->addWidget(FoundList, 2);

  auto* reader = new QWidget(this);
  auto* readerLayout = new QVBoxLayout(reader);
  readerLayout->setContentsMargins(0, 0, 0, 0);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {BackButton, ForwardButton, HomeButton}) buttons->addWidget(button);
  buttons->addStretch(1);
  readerLayout->addLayout(buttons);
  readerLayout->addWidget(Browser, 1);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(side);
  splitter->addWidget(reader);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 660});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  resize(900, 640);

  connect(BackButton, &QPushButton::clicked, Browser, &QTextBrowser::backward);
  connect(ForwardButton, &QPushButton::clicked, Browser, &QTextBrowser::forward);
  connect(HomeButton, &QPushButton::clicked, this, [this] { ShowTopic(HelpContents); });
  connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::sourceChanged, this, &QtHelpWindow::MarkCurrentPage);
  const auto open = [this](QListWidgetItem* item) {
    OpenPage(item->data(Qt::UserRole).toString());
  };
  connect(ContentsList, &QListWidget::itemClicked, this, open);
  connect(ContentsList, &QListWidget::itemActivated, this, open);
  const auto openFound = [this](QListWidgetItem* item) {
    OpenPage(item->data(Qt::UserRole).toString(), SearchEdit->text().trimmed());
  };
  connect(FoundList, &QListWidget::itemClicked, this, openFound);
  connect(FoundList, &QListWidget::itemActivated, this, openFound);
  const auto search = [this] { Search(SearchEdit->text()); };
  connect(SearchEdit, &QLineEdit::returnPressed, this, search);
  connect(SearchButton, &QPushButton::clicked, this, search);

  FollowOwner(owner);
  SetLanguage(English);
}

void QtHelpWindow::SetLanguage(int language) {
  if (language < German || language > Spanish) language = English;
  if (language == language_) return;
  language_ = language;
  folder_ = QString::fromLatin1(HelpLanguageFolder(language));
  ApplyCaptions();
  LoadPages();
  FoundList->clear();
  FoundLabel->clear();
}

void QtHelpWindow::ApplyCaptions() {
  setWindowTitle(Text(HelpTitle, language_));
  BackButton->setText(Text(BackCaption, language_));
  ForwardButton->setText(Text(ForwardCaption, language_));
  HomeButton->setText(Text(HomeCaption, language_));
  SearchButton->setText(Text(SearchCaption, language_));
  SearchEdit->setPlaceholderText(Text(SearchPrompt, language_));
}

void QtHelpWindow::LoadPages() {
  pages_.clear();
  ContentsList->clear();
  for (const char* file : HelpPages()) {
    QFile source(PagePath(folder_, QString::fromLatin1(file)));
    if (!source.open(QIODevice::ReadOnly)) continue;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(source.readAll()));
    Page page{QString::fromLatin1(file), document.metaInformation(QTextDocument::DocumentTitle),
              document.toPlainText()};
    auto* item = new QListWidgetItem(page.Title, ContentsList);
    item->setData(Qt::UserRole, page.File);
    pages_.push_back(std::move(page));
  }
}

void QtHelpWindow::ShowTopic(const QString& topic) {
  Browser->setSource(HelpUrl(language_, topic));
}

QUrl QtHelpWindow::Source() const {
  return Browser->source();
}

void QtHelpWindow::OpenPage(const QString& file, const QString& find) {
  Browser->setSource(PageUrl(folder_, file));
  if (!find.isEmpty()) {
    Browser->moveCursor(QTextCursor::Start);
    FindOnPage(find);
  }
}

void QtHelpWindow::MarkCurrentPage(const QUrl& source) {
  // The browser names the new page before source() returns it.
  const QString file = FileOf(source);
  const QSignalBlocker quiet(ContentsList);
  for (int row = 0; row < ContentsList->count(); ++row) {
    if (ContentsList->item(row)->data(Qt::UserRole).toString() == file) {
      ContentsList->setCurrentRow(row);
      return;
    }
  }
  ContentsList->clearSelection();
}

bool QtHelpWindow::FindOnPage(const QString& text) {
  if (Browser->find(text)) return true;
  // Past the last place the search starts again at the top.
  Browser->moveCursor(QTextCursor::Start);
  return Browser->find(text);
}

void QtHelpWindow::Search(const QString& entered) {
  const QString text = entered.trimmed();
  FoundList->clear();
  if (text.isEmpty()) {
    FoundLabel->clear();
    return;
  }
  for (const Page& page : pages_) {
    if (!page.Text.contains(text, Qt::CaseInsensitive)) continue;
    auto* item = new QListWidgetItem(page.Title, FoundList);
    item->setData(Qt::UserRole, page.File);
  }
  FoundLabel->setText(Text(FoundList->count() > 0 ? FoundText : NotFoundText, language_).arg(text));
  FindOnPage(text);
}

void QtHelpWindow::FollowOwner(QWidget* owner) {
  if (owner == this || owner == parentWidget()) return;
  if (QWidget* old = parentWidget()) old->removeEventFilter(this);
  const bool shown = !isHidden();
  const QRect frame = geometry();
  setParent(owner, Qt::Window);
  if (owner != nullptr) owner->installEventFilter(this);
  if (shown) {
    setGeometry(frame);
    show();
  }
}

bool QtHelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window whose Help button opened the help is going: the help stays,
  // with that window's owner.
  if (watched == parentWidget() && event->type() == QEvent::Hide) {
    if (QWidget* next = parentWidget()->parentWidget()) FollowOwner(next->window());
  }
  return QWidget::eventFilter(watched, event);
}

void ShowHelp(Language language, const QString& topic, QWidget* parent) {
  QWidget* owner = parent != nullptr ? parent->window() : nullptr;
  QPointer<QtHelpWindow>& window = TheWindow();
  if (window.isNull()) window = new QtHelpWindow(owner);
  window->FollowOwner(owner);
  const bool otherLanguage = window->Language() != language;
  window->SetLanguage(language);
  window->ShowTopic(topic);
  // Back never leads into the pages of another language.
  if (otherLanguage) window->Browser->clearHistory();
  window->show();
  window->raise();
  window->activateWindow();
}

void ShowHelp(int language, const QString& topic, QWidget* parent) {
  const bool known = language >= German && language <= Spanish;
  ShowHelp(known ? static_cast<Language>(language) : English, topic, parent);
}

QtHelpWindow* OpenHelpWindow() {
  return TheWindow().data();
}

}  // namespace zephirax
