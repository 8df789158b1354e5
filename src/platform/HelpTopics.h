#pragma once

#include <span>
#include <string_view>

// The program's help: one set of pages per language, and the named topics the
// windows open. A topic is a page, or a place on a page.

namespace zephirax {

// Where a topic is: a page of the help and the anchor on it ("" for the top).
struct HelpPlace {
  const char* Page;
  const char* Anchor;
};

struct HelpTopic {
  const char* Name;
  HelpPlace Place;
};

// The topics the windows open.
inline constexpr const char* HelpContents = "contents";
inline constexpr const char* HelpReceiving = "receiving";
inline constexpr const char* HelpSetupChoice = "create_edit_KV_setup";
inline constexpr const char* HelpSetupEditor = "KV_Setup";
inline constexpr const char* HelpTransmit = "Transmit";
inline constexpr const char* HelpFileFunctions = "FileFunc";
inline constexpr const char* HelpAddData = "AddData";
inline constexpr const char* HelpOptions = "Options";

// Every topic with its place, the contents first.
std::span<const HelpTopic> HelpTopics();

// The place of `topic`, its name compared without regard to case. A topic
// the help does not know opens the contents, so that a window never shows an
// empty page.
HelpPlace HelpTopicPlace(std::string_view topic);

// The pages in the order of the contents; every language has each of them.
std::span<const char* const> HelpPages();

// The folder of a language's pages ("de", "en", "fr", "es"); a language the
// help does not have reads the English pages.
const char* HelpLanguageFolder(int language);

}  // namespace zephirax
