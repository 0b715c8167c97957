// The one error type of the program's own code: a failed file, folder,
// process or conversion operation, carrying the system's description that
// the messages show after their fixed phrase.
#ifndef ORVANTA_COMMON_ERROR_H_
#define ORVANTA_COMMON_ERROR_H_

#include <stdexcept>
#include <string>

namespace orvanta {

enum class ErrorKind {
  kGeneral,       // any other failure (permission, disk full, ...)
  kFileNotFound,  // the file to open does not exist
  kTypeMismatch,  // a text that had to be a number is not one
  kPastEnd,       // a read past the end of a file
  kImageData,     // the image library could not read or shrink a picture
  kConverter,     // the external converter failed; the text is its command
  // A FIFO, socket or device where a file was to be written: never opened.
  // The text is "PATH: not a regular file, left alone".
  kNotRegularFile,
};

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& description,
                 ErrorKind kind = ErrorKind::kGeneral)
      : std::runtime_error(description), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

// An Error built from errno: "Permission denied", "No space left on device"...
Error SystemError(int error_number);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_ERROR_H_
