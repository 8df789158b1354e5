#include "platform/QtHelp.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <filesystem>

#include <gtest/gtest.h>

#include "adddata/QtAddDataDlg.h"
#include "app/QtLanguageDlg.h"
#include "app/QtMainForm.h"
#include "devicelink/QtReceiveDialog.h"
#include "platform/HelpTopics.h"
#include "setup/EngineSetup.h"
#include "setup/QtSetupChoiceDialog.h"
#include "setup/QtSetupEditor.h"
#include "setup/QtTransmitDialog.h"
#include "support/ModalDialogs.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

constexpr int Languages[] = {German, English, French, Spanish};

QString Folder(int language) {
  return QString::fromLatin1(HelpLanguageFolder(language));
}

QString Html(const QString& resource) {
  QFile file(resource);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The places a page's links can lead to.
QSet<QString> Anchors(const QTextDocument& document) {
  QSet<QString> names;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      for (const QString& name : it.fragment().charFormat().anchorNames()) names.insert(name);
    }
  }
  return names;
}

QSet<QString> PageAnchors(const QString& resource) {
  QTextDocument document;
  document.setHtml(Html(resource));
  return Anchors(document);
}

QStringList PagesOf(int language) {
  return QDir(QStringLiteral(":/help/") + Folder(language)).entryList(QDir::Files, QDir::Name);
}

TEST(Help, EveryTopicOpensItsPageInEveryLanguage) {
  for (const int language : Languages) {
    QtHelpWindow window;
    window.SetLanguage(language);
    for (const HelpTopic& topic : HelpTopics()) {
      SCOPED_TRACE(Folder(language).toStdString() + " " + topic.Name);
      window.ShowTopic(QString::fromLatin1(topic.Name));
      const QUrl source = window.Source();
      EXPECT_EQ(source.path().toStdString(),
                "/help/" + Folder(language).toStdString() + "/" + topic.Place.Page);
      EXPECT_EQ(source.fragment().toStdString(), topic.Place.Anchor);
      EXPECT_GT(window.Browser->toPlainText().trimmed().size(), 200);
      if (*topic.Place.Anchor != '\0') {
        EXPECT_TRUE(Anchors(*window.Browser->document()).contains(topic.Place.Anchor));
      }
    }
  }
}

TEST(Help, TopicsAreFoundWhateverTheirCaseAndUnknownOnesOpenTheContents) {
  const struct {
    int Language;
    const char* Topic;
    const char* Expected;
  } cases[] = {
      {English, "receiving", "qrc:/help/en/receiving.html"},
      {German, "RECEIVING", "qrc:/help/de/receiving.html"},
      {French, "kv_setup", "qrc:/help/fr/setup.html#editor"},
      {Spanish, "FileFunc", "qrc:/help/es/filefunctions.html"},
      {Spanish, "no such topic", "qrc:/help/es/index.html"},
      {German, "", "qrc:/help/de/index.html"},
      {7, "Transmit", "qrc:/help/en/transmit.html"},  // a language code the help lacks
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HelpUrl(c.Language, QString::fromLatin1(c.Topic)).toString().toStdString(),
              c.Expected)
        << c.Topic;
  }
}

TEST(Help, EveryLanguageHasTheSamePagesAndPlacesAndEachIsTranslated) {
  QStringList expected;
  for (const char* page : HelpPages()) expected << QString::fromLatin1(page);
  expected.sort();
  for (const int language : Languages) {
    SCOPED_TRACE(Folder(language).toStdString());
    ASSERT_EQ(PagesOf(language), expected);
    for (const QString& page : expected) {
      const QString resource = QStringLiteral(":/help/%1/%2").arg(Folder(language), page);
      const QString english = QStringLiteral(":/help/en/") + page;
      EXPECT_EQ(PageAnchors(resource), PageAnchors(english)) << page.toStdString();
      EXPECT_TRUE(
          Html(resource).contains(QStringLiteral("<html lang=\"%1\">").arg(Folder(language))))
          << page.toStdString();
      if (language != English) {
        EXPECT_TRUE(Html(resource) != Html(english)) << page.toStdString() << " is not translated";
      }
    }
  }
}

TEST(Help, EveryLinkLeadsToAPlaceOnAPageOfTheSameLanguage) {
  int links = 0;
  for (const int language : Languages) {
    for (const QString& page : PagesOf(language)) {
      const QUrl from(QStringLiteral("qrc:/help/%1/%2").arg(Folder(language), page));
      QTextDocument document;
      document.setHtml(Html(QLatin1Char(':') + from.path()));
      for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
          const QString href = it.fragment().charFormat().anchorHref();
          if (href.isEmpty()) continue;
          ++links;
          const QUrl to = from.resolved(QUrl(href));
          const std::string where = from.toString().toStdString() + " -> " + href.toStdString();
          ASSERT_EQ(to.scheme(), QStringLiteral("qrc")) << where;
          EXPECT_EQ(to.path().section(QLatin1Char('/'), 0, 2),
                    QLatin1String("/help/") + Folder(language))
              << where;
          const QString target = QLatin1Char(':') + to.path();
          EXPECT_TRUE(QFile::exists(target)) << where;
          if (to.hasFragment()) {
            EXPECT_TRUE(PageAnchors(target).contains(to.fragment())) << where;
          }
        }
      }
    }
  }
  EXPECT_GT(links, 4 * 60);
}

TEST(HelpWindow, SearchMarksTheTextAndListsThePagesHoldingIt) {
  QtHelpWindow window;
  window.SetLanguage(English);
  window.ShowTopic(HelpReceiving);
  window.SearchEdit->setText(QStringLiteral("temp.dat"));
  window.SearchButton->click();
  EXPECT_EQ(window.Browser->textCursor().selectedText(), QStringLiteral("TEMP.DAT"));
  QStringList found;
  for (int row = 0; row < window.FoundList->count(); ++row) {
    found << window.FoundList->item(row)->data(Qt::UserRole).toString();
  }
  EXPECT_TRUE(found.contains(QStringLiteral("receiving.html")));
  EXPECT_TRUE(found.contains(QStringLiteral("files.html")));
  EXPECT_FALSE(found.contains(QStringLiteral("pscav.html")));
  // A page from the list opens on the text.
  window.FoundList->itemClicked(
      window.FoundList->item(found.indexOf(QStringLiteral("files.html"))));
  EXPECT_EQ(window.Source().fileName(), QStringLiteral("files.html"));
  EXPECT_EQ(window.Browser->textCursor().selectedText(), QStringLiteral("TEMP.DAT"));

  window.Search(QStringLiteral("no such word anywhere"));
  EXPECT_EQ(window.FoundList->count(), 0);
  EXPECT_TRUE(window.FoundLabel->text().contains(QStringLiteral("does not occur")));
}

TEST(HelpWindow, BackAndForwardRetraceThePagesRead) {
  QtHelpWindow window;
  window.SetLanguage(German);
  window.ShowTopic(HelpContents);
  EXPECT_FALSE(window.BackButton->isEnabled());
  window.ContentsList->itemClicked(window.ContentsList->item(12));  // the options
  EXPECT_EQ(window.Source().fileName(), QStringLiteral("options.html"));
  EXPECT_EQ(window.ContentsList->currentRow(), 12);
  window.BackButton->click();
  EXPECT_EQ(window.Source().fileName(), QStringLiteral("index.html"));
  EXPECT_EQ(window.ContentsList->currentRow(), 0);
  window.ForwardButton->click();
  EXPECT_EQ(window.Source().fileName(), QStringLiteral("options.html"));
}

class HelpButtons : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  void SetUp() override { qputenv("XDG_CONFIG_HOME", home_.File("config").c_str()); }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
};

TEST_F(HelpButtons, MainWindowOpensTheContentsInTheUsersLanguage) {
  std::filesystem::create_directories(home_.File("config/VOLTAN"));
  test::WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"), "[Language]\r\nLanguage=francais\r\n");
  TMainForm form(home_.File("program"), &ui_);
  QPushButton* help = form.findChild<QPushButton*>("HelpButton");
  ASSERT_TRUE(help->isEnabled());
  help->click();
  QtHelpWindow* window = OpenHelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Source().toString(), QStringLiteral("qrc:/help/fr/index.html"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Aide ZEPHIRAX"));
}

TEST_F(HelpButtons, ADialogOpensItsTopicAndTheHelpStaysWhenItCloses) {
  QWidget owner;
  owner.show();
  TTransmitDlg1 dialog(Spanish, &owner);
  QtHelpWindow* window = nullptr;
  test::WhenModal<TTransmitDlg1>([&](TTransmitDlg1& shown) {
    shown.HelpButton->click();
    window = OpenHelpWindow();
    // The help belongs to the modal dialog, or the dialog would block it.
    if (window != nullptr) {
      EXPECT_EQ(window->parentWidget(), &shown);
    }
    shown.reject();
  });
  dialog.exec();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Source().toString(), QStringLiteral("qrc:/help/es/setup.html#choice"));
  EXPECT_EQ(window->parentWidget(), &owner);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(HelpButtons, EveryDialogOpensItsOwnTopicInItsLanguage) {
  EngineSetup setup;
  NewSetupDefaults(setup);
  SetupEditorOptions editorOptions;
  editorOptions.Language = French;
  SerialLink link;
  ReceiveSession session(link, home_.File("program"));
  AdditionalData data;
  Settings config;
  config.Language = Spanish;
  const OptionsServices services{[] { return std::vector<SerialPortInfo>{}; }, nullptr, "zephirax"};
  const struct {
    const char* Expected;
    std::function<std::unique_ptr<QDialog>()> Make;
  } dialogs[] = {
      {"qrc:/help/de/receiving.html",
       [&] { return std::make_unique<TRcvDialog2>(session, German, ui_); }},
      {"qrc:/help/en/setup.html#choice", [] { return std::make_unique<TTransmitDlg1>(English); }},
      {"qrc:/help/fr/setup.html#editor",
       [&] { return std::make_unique<TTabbedNotebookDlg>(setup, editorOptions, ui_); }},
      {"qrc:/help/es/transmit.html",
       [&] { return std::make_unique<TTransmitDlg2>(link, std::string("frame"), Spanish); }},
      {"qrc:/help/es/adddata.html",
       [&] { return std::make_unique<TAddDataDlg>(data, 6, config, ui_); }},
      // The options speak the language chosen in them, before it is stored.
      {"qrc:/help/fr/options.html",
       [&] {
         auto dialog = std::make_unique<TLanguageDlg>(services, ui_);
         dialog->FranzBtnClick();
         return dialog;
       }},
  };
  for (const auto& d : dialogs) {
    const std::unique_ptr<QDialog> dialog = d.Make();
    dialog->findChild<QPushButton*>("HelpButton")->click();
    ASSERT_NE(OpenHelpWindow(), nullptr) << d.Expected;
    EXPECT_EQ(OpenHelpWindow()->Source().toString().toStdString(), d.Expected);
  }
}

}  // namespace
}  // namespace zephirax
