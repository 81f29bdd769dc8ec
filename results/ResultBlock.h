#pragma once

#include <cstddef>
#include <string_view>

namespace wakorin {

// Where one venue's block stands in a whole result file: its key line ("NNKBGN") and what may end
// it. Found once per venue and handed to each reader of the block (the payout table, the
// finishing tables), so that none of them searches the file for the block's end again.
struct ResultBlock {
  static constexpr std::size_t npos = std::string_view::npos;

  std::string_view file;        // the whole result file
  std::size_t key = 0;          // where the key line starts; its first two bytes are the code
  std::size_t endLine = npos;   // the venue's first end line ("NNKEND") from the key on
  std::size_t nextKey = npos;   // the first key after the key line's own, any venue's: where its
                                // tail ("KBGN") stands less the two bytes of a code

  // After the key line up to the venue's end line, or the next key should that come first (its
  // end line missing): what the finishing tables are read from.
  std::string_view Body() const;
};

// The block whose key line starts at `key` in `file`; the key line must be whole.
ResultBlock ResultBlockAt(std::string_view file, std::size_t key);

}  // namespace wakorin
