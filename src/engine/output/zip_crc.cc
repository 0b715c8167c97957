// The folding follows "Fast CRC Computation for Generic Polynomials Using
// PCLMULQDQ Instruction" (Gopal et al., Intel, 2009): four 128-bit lanes
// folded 64 bytes at a time, then into one, then reduced by Barrett's
// method; its constants are those of the paper for the bit-reflected
// CRC-32 polynomial.
#include "engine/output/zip_crc.h"

#include <zlib.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace orvanta {
namespace {

#if defined(__x86_64__) && defined(__GNUC__)
#define ORVANTA_CLMUL __attribute__((target("pclmul,sse4.1")))

ORVANTA_CLMUL inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00),
                                     _mm_clmulepi64_si128(x, k, 0x11)),
                       next);
}

ORVANTA_CLMUL inline __m128i Load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// The CRC register (not inverted) carried over `size` bytes: at least 64,
// a multiple of 16.
ORVANTA_CLMUL uint32_t Folded(uint32_t crc, const char* data, size_t size) {
  const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
  const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
  __m128i x1 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(crc));
  __m128i x2 = Load(data + 16), x3 = Load(data + 32), x4 = Load(data + 48);
  for (data += 64, size -= 64; size >= 64; data += 64, size -= 64) {
    x1 = Fold(x1, k1k2, Load(data));
    x2 = Fold(x2, k1k2, Load(data + 16));
    x3 = Fold(x3, k1k2, Load(data + 32));
    x4 = Fold(x4, k1k2, Load(data + 48));
  }
  x1 = Fold(Fold(Fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
  for (; size >= 16; data += 16, size -= 16) x1 = Fold(x1, k3k4, Load(data));
  // 128 bits to 64, then Barrett's reduction to 32.
  const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8),
                     _mm_clmulepi64_si128(x1, k3k4, 0x10));
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00),
                     _mm_srli_si128(x1, 4));
  __m128i x2r = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
  x2r = _mm_clmulepi64_si128(_mm_and_si128(x2r, low32), poly, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, x2r), 1));
}

bool CanFold() {
  static const bool can =
      __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  return can;
}
#endif

}  // namespace

uint32_t ZipCrc(uint32_t crc, const char* data, size_t size) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (size >= 64 && CanFold()) {
    const size_t folded = size & ~size_t{15};
    crc = ~Folded(~crc, data, folded);
    data += folded;
    size -= folded;
  }
#endif
  return static_cast<uint32_t>(
      crc32_z(crc, reinterpret_cast<const Bytef*>(data), size));
}

}  // namespace orvanta
