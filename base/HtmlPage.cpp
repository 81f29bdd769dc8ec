#include "base/HtmlPage.h"

#include <string>

#include "base/ByteField.h"

namespace wakorin {

bool LooksLikeHtml(std::string_view bytes) {
  if (StartsWith(bytes, 0, "\xef\xbb\xbf")) bytes.remove_prefix(3);
  bytes = TrimControlAndBlanks(bytes.substr(0, 1024));
  if (!StartsWith(bytes, 0, "<")) return false;
  std::string head(bytes);
  for (char& c : head) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (std::string_view tag : {"<!doctype html", "<html", "<head", "<body", "<title", "<meta"}) {
    if (head.find(tag) != std::string::npos) return true;
  }
  return false;
}

}  // namespace wakorin
