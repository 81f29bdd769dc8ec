#include "results/ResultBlock.h"

#include <algorithm>

#include "base/FindBytes.h"
#include "results/ResultFileLayout.h"

namespace wakorin {

using namespace result_layout;

ResultBlock ResultBlockAt(std::string_view file, std::size_t key) {
  ResultBlock block;
  block.file = file;
  block.key = key;
  block.endLine = FindCodeAnd(file, file.substr(key, 2), kEndTail, key);
  const std::size_t tail = file.find(kKeyTail, key + kKeySize);
  if (tail != std::string_view::npos) block.nextKey = tail - 2;
  return block;
}

std::string_view ResultBlock::Body() const {
  const std::size_t start = std::min(file.size(), key + kKeySize);
  // An end line is looked for after the key line; one met inside it (a code ending as the key
  // does) ends nothing.
  std::size_t end = endLine == npos || endLine >= start
                        ? endLine
                        : FindCodeAnd(file, file.substr(key, 2), kEndTail, start);
  end = std::min(end, file.size());
  // A key whose tail stands wholly before the end.
  if (nextKey != npos && nextKey + kKeySize <= end) end = std::max(nextKey, start);
  return file.substr(start, end - start);
}

}  // namespace wakorin
