#pragma once
// The key a translate run sends, and where it comes from: the file that
// --api-key-file names, otherwise the chosen service's own environment
// variable, otherwise TARVEX_API_KEY. A key set for one service is never
// read for another, so it cannot reach a server it was not meant for.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace tarvex::cli {

// A key is a line of text; anything longer is the wrong file.
constexpr size_t kMostKeyFileBytes = size_t{64} << 10;

// "TARVEX_DEEPL_KEY", "TARVEX_OPENAI_KEY", "TARVEX_LIBRETRANSLATE_KEY";
// nullptr for a service without a variable of its own.
const char* ServiceKeyVariable(const std::string& service);

// The key in a file's or a variable's text: its UTF-8 mark and the white
// space around it dropped (editors add both).
std::string KeyOfText(std::string_view text);

// The environment as the program sees it: a variable's value, or nullptr.
using Environment = std::function<const char*(const char*)>;

// The key for `service`, from `keyFile` when it is not empty. Raises
// RuntimeError(BadServiceSettings) naming the file when it cannot be read
// or is over kMostKeyFileBytes; the message never holds the key.
std::string ChooseServiceKey(const std::string& service, const std::string& keyFile, FileSystem& files,
                             const Environment& environment);

}  // namespace tarvex::cli
