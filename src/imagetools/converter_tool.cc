// The image tool of the external converter: one child process per
// thumbnail, started from its argument vector, writing into a temporary
// file that then replaces the thumbnail (so the converter never writes
// through a link at the thumbnail's place). Its command line, quoted as
// a Windows command line would be, serves only the messages. It makes no
// mid-size copies: a request for one is answered with none made and no
// error.
#include "common/error.h"
#include "common/path_utils.h"
#include "imagetools/image_tool.h"
#include "imagetools/picture_files.h"
#include "imagetools/process_runner.h"

namespace orvanta {
namespace {

// Appends `text` in double quotes as the Windows C runtime would read it
// back: backslashes before a quote (or before the closing quote) doubled,
// quotes inside escaped. Plain paths come out as quote + text + quote.
void AppendQuoted(std::string* line, const std::string& text) {
  *line += '"';
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') backslashes = 2 * backslashes + 1;
    line->append(backslashes, '\\');
    backslashes = 0;
    *line += c;
  }
  line->append(2 * backslashes, '\\');
  *line += '"';
}

class ConverterImageTool : public ImageTool {
 public:
  ConverterImageTool(FileSystem& fs, std::string program, int32_t limit)
      : fs_(fs), program_(std::move(program)), limit_(limit) {}

  // The converter tells no sizes.
  std::optional<PixelSize> PictureSize(const std::string&) override {
    return std::nullopt;
  }

  PictureResult MakePictureFiles(const PictureRequest& request) override {
    PictureResult result;
    if (request.thumbnail.empty()) return result;
    try {
      Convert(request.source, request.thumbnail, request.thumbnail_size);
    } catch (const Error& e) {
      result.thumbnail_error = e;
    }
    return result;
  }

 private:
  void Convert(const std::string& source, const std::string& target, int size) {
    const std::string resample =
        "/resample=(" + std::to_string(size) + "," + std::to_string(size) + ")";
    const std::string extension = ExtensionOf(target);
    ScratchFile made(fs_, extension.empty() ? "jpg" : extension, "thumbnail");
    const ProgramRun run = RunProgram(
        {program_, source, resample, "/aspectratio", "/convert=" + made.path()},
        limit_);
    // Its exit status says nothing reliable, but a converter that ended
    // without leaving the thumbnail (it crashed or refused the picture)
    // has failed all the same.
    if (run.outcome == ProgramRun::Outcome::kEnded) {
      const std::string bytes = fs_.FileExists(made.path())
                                    ? ReadPicture(fs_, made.path())
                                    : std::string();
      if (!bytes.empty()) return WriteThumbnail(fs_, target, bytes);
    }
    std::string line;
    AppendQuoted(&line, program_);
    line += ' ';
    AppendQuoted(&line, source);
    line += " " + resample + " /aspectratio /convert=";
    AppendQuoted(&line, target);
    throw Error(line, ErrorKind::kConverter);
  }

  FileSystem& fs_;
  const std::string program_;
  const int32_t limit_;
};

}  // namespace

std::unique_ptr<ImageTool> CreateConverterImageTool(FileSystem& fs,
                                                    std::string program,
                                                    int32_t limit_seconds) {
  return std::make_unique<ConverterImageTool>(fs, std::move(program),
                                              limit_seconds);
}

}  // namespace orvanta
