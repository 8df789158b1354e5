#include "platform/HelpTopics.h"

#include <algorithm>
#include <cctype>

#include "platform/LangText.h"

namespace zephirax {
namespace {

constexpr const char* Pages[] = {
    "index.html", "receiving.html",     "setup.html",   "transmit.html", "analysis.html",
    "views.html", "tdc.html",           "pscav.html",   "adddata.html",  "printing.html",
    "email.html", "filefunctions.html", "options.html", "files.html",
};

constexpr HelpTopic Topics[] = {
    {HelpContents, {"index.html", ""}},
    {HelpReceiving, {"receiving.html", ""}},
    {HelpSetupChoice, {"setup.html", "choice"}},
    {HelpSetupEditor, {"setup.html", "editor"}},
    {HelpTransmit, {"transmit.html", ""}},
    {HelpFileFunctions, {"filefunctions.html", ""}},
    {HelpAddData, {"adddata.html", ""}},
    {HelpOptions, {"options.html", ""}},
    {"Analyse", {"analysis.html", ""}},
    {"Views", {"views.html", ""}},
    {"TDC", {"tdc.html", ""}},
    {"pscav", {"pscav.html", ""}},
    {"ISO", {"adddata.html", "iso"}},
    {"Print", {"printing.html", ""}},
    {"Email", {"email.html", ""}},
    {"Files", {"files.html", ""}},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::span<const HelpTopic> HelpTopics() {
  return Topics;
}

HelpPlace HelpTopicPlace(std::string_view topic) {
  for (const HelpTopic& known : Topics) {
    if (SameIgnoringCase(known.Name, topic)) return known.Place;
  }
  return Topics[0].Place;
}

std::span<const char* const> HelpPages() {
  return Pages;
}

const char* HelpLanguageFolder(int language) {
  switch (language) {
    case German:
      return "de";
    case French:
      return "fr";
    case Spanish:
      return "es";
    default:
      return "en";
  }
}

}  // namespace zephirax
