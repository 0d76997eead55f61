#pragma once
// The numbered layout in which a model gets a batch of blocks and must give
// them back: every block starts with its number in brackets on a line of
// its own, its lines below it.
//
//   [1]
//   first line of block 1
//   second line of block 1
//   [2]
//   block 2
//
// The blocks around the batch go in a message of their own, as plain text,
// so nothing in the answer can be taken for them.

#include <string>
#include <string_view>
#include <vector>

#include "translate/services/Service.h"

namespace tarvex {

// The batch in the numbered layout, blocks numbered from 1.
std::string NumberedBlocks(const std::vector<BlockLines>& batch);

// The context message: the blocks before and after, or empty for none.
std::string ContextText(const BatchContext& context);

// The answer without its reasoning: everything up to the last "</think>"
// goes, and an unclosed "<think>" takes the rest with it.
std::string WithoutReasoning(std::string_view answer);

// The blocks of an answer in the numbered layout: whatever comes before [1]
// is dropped (a preamble), so are blank lines and code fences, and a text
// after a number on its own line is that block's first line. Only the next
// number starts a block; any other is text. A single block may come back
// without its number: the whole answer is that block, and an empty answer
// an empty block (untranslated, not an error). Raises BatchMismatch (naming
// `service`) unless the numbers run 1 to `blocks`, and when one of several
// blocks came back without text, which is what a model that merged two
// blocks leaves behind.
std::vector<BlockLines> ReadNumberedBlocks(std::string_view answer, size_t blocks, const std::string& service);

}  // namespace tarvex
