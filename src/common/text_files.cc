// Line reading of a text in memory and whole-text writing.
#include "common/text_files.h"

#include "common/error.h"

namespace orvanta {
namespace {

class StringTextReader : public TextReader {
 public:
  // A UTF-8 byte-order mark at the start of the file is not text.
  explicit StringTextReader(std::string text) : text_(std::move(text)) {
    if (text_.starts_with("\xEF\xBB\xBF")) position_ = 3;
  }

  // A line ends at LF; a CR right before the LF is dropped with it. The
  // last line counts even without a line break.
  bool ReadLine(std::string* line) override {
    if (position_ >= text_.size()) return false;
    size_t end = text_.find('\n', position_);
    const bool has_break = end != std::string::npos;
    if (!has_break) end = text_.size();
    line->assign(text_, position_, end - position_);
    if (has_break && !line->empty() && line->back() == '\r') line->pop_back();
    position_ = end + 1;
    return true;
  }

 private:
  std::string text_;
  size_t position_ = 0;
};

class CollectingTextWriter : public TextWriter {
 public:
  explicit CollectingTextWriter(std::function<void(const std::string&)> store)
      : store_(std::move(store)) {}

  void WriteLine(std::string_view line) override {
    if (closed_) throw Error("File already closed");
    text_.append(line);
    text_.append("\r\n");
  }

  void Close() override {
    if (closed_) return;
    closed_ = true;
    store_(text_);
    Discard();
  }

  void Discard() override {
    closed_ = true;
    text_ = std::string();
    store_ = nullptr;  // lets go of what the store holds
  }

 private:
  std::function<void(const std::string&)> store_;
  std::string text_;
  bool closed_ = false;
};

}  // namespace

std::unique_ptr<TextReader> NewTextReader(std::string text) {
  return std::make_unique<StringTextReader>(std::move(text));
}

std::unique_ptr<TextWriter> NewTextWriter(
    std::function<void(const std::string& text)> store) {
  return std::make_unique<CollectingTextWriter>(std::move(store));
}

}  // namespace orvanta
