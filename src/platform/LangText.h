#pragma once

// A text the user sees, in the four program languages. Each message is picked
// by the current language at the moment it is shown; a language without a text
// of its own falls back to English.

namespace zephirax {

enum Language { German = 0, English = 1, French = 2, Spanish = 3 };

struct LangText {
  const char* De = nullptr;
  const char* En = nullptr;
  const char* Fr = nullptr;
  const char* Es = nullptr;
};

// Returns the UTF-8 text for `language` (0 German, 1 English, 2 French, 3 Spanish).
inline const char* Tr(const LangText& text, int language) {
  const char* picked = nullptr;
  switch (language) {
    case German:
      picked = text.De;
      break;
    case French:
      picked = text.Fr;
      break;
    case Spanish:
      picked = text.Es;
      break;
    default:
      break;
  }
  if (picked == nullptr) picked = text.En;
  return picked != nullptr ? picked : "";
}

// The caption of every error message box.
inline constexpr LangText ErrorCaption{"Fehler :", "Error :", "Erreur :", "Falta :"};

}  // namespace zephirax
