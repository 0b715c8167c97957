// The text files every FileSystem hands out, over the whole file's bytes:
// a line reader of a text in memory, and a writer that keeps the lines and
// hands the whole text over when it is closed.
#ifndef ORVANTA_COMMON_TEXT_FILES_H_
#define ORVANTA_COMMON_TEXT_FILES_H_

#include <functional>
#include <memory>
#include <string>

#include "common/file_system.h"

namespace orvanta {

// Reads `text` line by line as TextReader says.
std::unique_ptr<TextReader> NewTextReader(std::string text);

// A writer whose text goes to `store` when closed, once; discarded or
// dropped unclosed, it goes nowhere. `store` throws Error when the text
// cannot be stored.
std::unique_ptr<TextWriter> NewTextWriter(
    std::function<void(const std::string& text)> store);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_TEXT_FILES_H_
