// Builds the program's Error from a system error number.
#include "common/error.h"

#include <cerrno>
#include <system_error>

namespace orvanta {

// Returns an Error carrying the system's description of `error_number`;
// ENOENT gives ErrorKind::kFileNotFound, everything else kGeneral.
Error SystemError(int error_number) {
  std::string description = std::generic_category().message(error_number);
  ErrorKind kind =
      error_number == ENOENT ? ErrorKind::kFileNotFound : ErrorKind::kGeneral;
  return Error(description, kind);
}

}  // namespace orvanta
