#include "base/NumberedName.h"

#include <limits>

#include "base/FileSystem.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"

namespace tarvex {

std::string NextFreeNumberedName(const std::string& path, FileSystem& files, int16_t& nameNumber) {
    std::string candidate;
    do {
        if (nameNumber == std::numeric_limits<int16_t>::max()) throw RuntimeError(ErrorNumber::Overflow);
        ++nameNumber;
        candidate = InsertBeforeExtension(path, std::to_string(nameNumber));
    } while (files.NameTaken(candidate));
    return candidate;
}

}  // namespace tarvex
