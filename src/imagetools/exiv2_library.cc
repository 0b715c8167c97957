// exiv2's set-up, run once per process.
#include "imagetools/exiv2_library.h"

#include <exiv2/exiv2.hpp>
#include <mutex>

namespace orvanta {
namespace {

// The XMP toolkit's lock for registering namespaces (exiv2 asks for one
// when several threads read XMP). Never destroyed: a worker may still hold
// it while the program ends.
void LockXmp(void* mutex, bool lock) {
  auto* m = static_cast<std::recursive_mutex*>(mutex);
  lock ? m->lock() : m->unlock();
}

void IgnoreLibraryMessage(int, const char*) {}

}  // namespace

void SetUpExiv2Once() {
  static std::once_flag once;
  std::call_once(once, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::LogMsg::setHandler(IgnoreLibraryMessage);
    Exiv2::XmpParser::initialize(LockXmp, new std::recursive_mutex);
    Exiv2::enableBMFF(true);
  });
}

}  // namespace orvanta
