// The resampler's loops on vectors of the compiler's own (SSE or AVX on
// x86-64, NEON on ARM, plain loops elsewhere), written once for a vector of
// kFloats floats and built for four and, where it pays, eight.
#include "imagetools/row_loops.h"

#include <algorithm>
#include <cstring>

namespace orvanta {
namespace {

#define ORVANTA_INLINE inline __attribute__((always_inline))

// The vector types, named outside the template: GCC drops a vector_size
// that depends on a template's parameter.
using Four = float __attribute__((vector_size(16)));
using Eight = float __attribute__((vector_size(32)));
template <int kFloats>
struct VectorOf;
template <>
struct VectorOf<4> {
  using Type = Four;
};
template <>
struct VectorOf<8> {
  using Type = Eight;
};

template <int kFloats>
struct Loops {
  using Floats = typename VectorOf<kFloats>::Type;
  static_assert(sizeof(Floats) == 4 * kFloats);

  static ORVANTA_INLINE Four Load(const float* at) {
    Four value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }

  static ORVANTA_INLINE void AverageRows(const uint8_t* row, size_t length,
                                         uint8_t* into) {
    for (size_t i = 0; i < length; ++i) {
      into[i] = static_cast<uint8_t>((row[i] + into[i] + 1) >> 1);
    }
  }

  static ORVANTA_INLINE void ToFloats(const uint8_t* bytes, size_t length,
                                      float* floats) {
    for (size_t i = 0; i < length; ++i) floats[i] = bytes[i];
  }

  // Two vectors at once, to keep the processor's adders busy. (No helper
  // returns a vector: an eight-float one would cross a function built for
  // processors without AVX.)
  static ORVANTA_INLINE void FilterDown(const float* const* rows,
                                        const float* weights, int taps,
                                        size_t length, float* sums) {
    for (size_t i = 0; i < length; i += 2 * kFloats) {
      Floats low, high, value;
      std::memcpy(&low, rows[0] + i, sizeof low);
      std::memcpy(&high, rows[0] + i + kFloats, sizeof high);
      low *= weights[0];
      high *= weights[0];
      for (int t = 1; t < taps; ++t) {
        std::memcpy(&value, rows[t] + i, sizeof value);
        low += weights[t] * value;
        std::memcpy(&value, rows[t] + i + kFloats, sizeof value);
        high += weights[t] * value;
      }
      std::memcpy(sums + i, &low, sizeof low);
      std::memcpy(sums + i + kFloats, &high, sizeof high);
    }
  }

  // Red, green and blue summed at once in the first three lanes of four
  // (the fourth, the next pixel's red, is read past and written over by
  // the next pixel), in two sums of alternate taps: half the wait for each
  // addition.
  static ORVANTA_INLINE void FilterAcrossRgb(const FilterAxis& axis,
                                             const float* row, float* sums) {
    const int taps = axis.taps;
    const float* weights = axis.weights.data();
    for (size_t x = 0; x < axis.first.size(); ++x) {
      const float* pixel = row + static_cast<size_t>(axis.first[x]) * 3;
      Four even = {0, 0, 0, 0}, odd = {0, 0, 0, 0};
      int t = 0;
      for (; t + 1 < taps; t += 2) {
        even += weights[t] * Load(pixel + 3 * t);
        odd += weights[t + 1] * Load(pixel + 3 * t + 3);
      }
      if (t < taps) even += weights[t] * Load(pixel + 3 * t);
      even += odd;
      std::memcpy(sums + 3 * x, &even, sizeof even);
      weights += taps;
    }
  }

  // Rounded and clamped as integers: a loop the compiler vectorises.
  static ORVANTA_INLINE void StoreBytes(const float* sums, size_t length,
                                        uint8_t* bytes) {
    for (size_t i = 0; i < length; ++i) {
      const int rounded = static_cast<int>(sums[i] + 0.5f);
      bytes[i] = static_cast<uint8_t>(std::clamp(rounded, 0, 255));
    }
  }
};

// Each set of loops as plain functions, built for its processors.
#define ORVANTA_ROW_LOOPS(name, floats, target)                              \
  target void name##AverageRows(const uint8_t* r, size_t n, uint8_t* i) {    \
    Loops<floats>::AverageRows(r, n, i);                                     \
  }                                                                          \
  target void name##ToFloats(const uint8_t* b, size_t n, float* f) {         \
    Loops<floats>::ToFloats(b, n, f);                                        \
  }                                                                          \
  target void name##FilterDown(const float* const* r, const float* w, int t, \
                               size_t n, float* s) {                         \
    Loops<floats>::FilterDown(r, w, t, n, s);                                \
  }                                                                          \
  target void name##FilterAcrossRgb(const FilterAxis& a, const float* r,     \
                                    float* s) {                              \
    Loops<floats>::FilterAcrossRgb(a, r, s);                                 \
  }                                                                          \
  target void name##StoreBytes(const float* s, size_t n, uint8_t* b) {       \
    Loops<floats>::StoreBytes(s, n, b);                                      \
  }                                                                          \
  const RowLoops name##Loops = {name##AverageRows, name##ToFloats,           \
                                name##FilterDown, name##FilterAcrossRgb,     \
                                name##StoreBytes};

ORVANTA_ROW_LOOPS(Plain, 4, )
#if defined(__x86_64__) && defined(__GNUC__)
ORVANTA_ROW_LOOPS(Avx2, 8, __attribute__((target("avx2,fma"))))
#endif

}  // namespace

const RowLoops& FastestRowLoops() {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool avx2 =
      __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  if (avx2) return Avx2Loops;
#endif
  return PlainLoops;
}

const RowLoops& PlainRowLoops() { return PlainLoops; }

}  // namespace orvanta
