// The CRC-32 of zip members (and gzip's): zlib's, with the bulk of long
// data folded by the processor's carry-less multiply where it has one
// (x86-64 with PCLMULQDQ), four times as fast.
#ifndef ORVANTA_ENGINE_OUTPUT_ZIP_CRC_H_
#define ORVANTA_ENGINE_OUTPUT_ZIP_CRC_H_

#include <cstddef>
#include <cstdint>

namespace orvanta {

// `crc` (0 to start) carried on over `size` bytes at `data`, as zlib's
// crc32() does.
uint32_t ZipCrc(uint32_t crc, const char* data, size_t size);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_ZIP_CRC_H_
