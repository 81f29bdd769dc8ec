#pragma once
// The command-line tools answer in the locale's language: Japanese when the locale names it,
// English otherwise (also under C, POSIX or no locale at all, as in scripts and tests).
#include <cstdlib>
#include <string_view>

namespace wakorin::cli {

enum class Language { English, Japanese };

// The locale that decides messages, in the order the C library reads it: LC_ALL, LC_MESSAGES,
// LANG; an empty variable counts as unset.
inline Language LanguageOf(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
  }
  return Language::English;
}

inline Language CurrentLanguage() {
  static const Language language =
      LanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  return language;
}

// A message in both languages.
struct Text {
  const char* en;
  const char* ja;
};

inline const char* Say(const Text& text) {
  return CurrentLanguage() == Language::Japanese ? text.ja : text.en;
}

}  // namespace wakorin::cli
