// The resampler's loops on vectors of the compiler's own (SSE or AVX on
// x86-64, NEON on ARM, plain loops elsewhere), written once for a vector of
// kFloats floats and built for four and, where it pays, eight.
#include "imagetools/row_loops.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

// The luma of output pixel i: its two columns weighed 3 and their outer
// neighbours 1 (at the row's ends, the end column again), in both rows. A
// plain mean of the two would let stripes finer than two columns through
// as coarse bands.
ORVANTA_INLINE float LumaOfPair(const YccPair& p, size_t i, size_t width) {
  const size_t left = i == 0 ? 0 : 2 * i - 1;
  const size_t right = std::min(2 * i + 2, 2 * width - 1);
  int sum = 0;
  for (const uint8_t* row : p.y) {
    sum += row[left] + 3 * (row[2 * i] + row[2 * i + 1]) + row[right];
  }
  return static_cast<float>(sum) * (1.0f / 16);
}

// The JPEG (JFIF) conversion to RGB, for pixels `from` to `to`.
ORVANTA_INLINE void YccPairsFrom(const YccPair& p, size_t from, size_t to,
                                 size_t width, float* rgb) {
  for (size_t i = from; i < to; ++i) {
    const float y = LumaOfPair(p, i, width);
    const float cb = static_cast<float>(p.cb[0][i] + p.cb[1][i]) * 0.5f - 128;
    const float cr = static_cast<float>(p.cr[0][i] + p.cr[1][i]) * 0.5f - 128;
    rgb[3 * i] = std::clamp(y + 1.402f * cr, 0.0f, 255.0f);
    rgb[3 * i + 1] =
        std::clamp(y - 0.344136f * cb - 0.714136f * cr, 0.0f, 255.0f);
    rgb[3 * i + 2] = std::clamp(y + 1.772f * cb, 0.0f, 255.0f);
  }
}

void PlainYccPairsToFloats(const YccPair& pair, size_t width, float* rgb) {
  YccPairsFrom(pair, 0, width, width, rgb);
}

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
                                name##FilterDown,  name##FilterAcrossRgb,    \
                                name##StoreBytes,  name##YccPairsToFloats};

ORVANTA_ROW_LOOPS(Plain, 4, )
#if defined(__x86_64__) && defined(__GNUC__)
#define ORVANTA_AVX2 __attribute__((target("avx2,fma")))

ORVANTA_AVX2 ORVANTA_INLINE __m256 Avx2Bytes(const uint8_t* at) {
  return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(
      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at))));
}

ORVANTA_AVX2 ORVANTA_INLINE __m256 Avx2Clamp(__m256 v) {
  return _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()),
                       _mm256_set1_ps(255.0f));
}

// The luma of eight pixels from i on (not the first, nor the last): the
// columns 2i - 1 ... 2i + 2 of each, weighed 1, 3, 3, 1, summed as bytes.
ORVANTA_AVX2 ORVANTA_INLINE __m128i Avx2LumaSums(const uint8_t* row, size_t i) {
  const __m128i outer_left = _mm_maddubs_epi16(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 2 * i - 1)),
      _mm_set1_epi16(0x0301));
  const __m128i inner_right = _mm_maddubs_epi16(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 2 * i + 1)),
      _mm_set1_epi16(0x0103));
  return _mm_add_epi16(outer_left, inner_right);
}

// Eight pixels at a time: the luma's columns summed as bytes, the three
// colours computed apart, then each put in the order it is stored in (red
// of pixels 0, 3, 6, 1, 4, 7, 2, 5 ...) and blended into the three vectors
// of RGB RGB RGB.
ORVANTA_AVX2 void Avx2YccPairsToFloats(const YccPair& p, size_t width,
                                       float* rgb) {
  const __m256i red_order = _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5);
  const __m256i green_order = _mm256_setr_epi32(5, 0, 3, 6, 1, 4, 7, 2);
  const __m256i blue_order = _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7);
  const __m256 half = _mm256_set1_ps(0.5f), middle = _mm256_set1_ps(128.0f);
  YccPairsFrom(p, 0, std::min<size_t>(1, width), width, rgb);
  size_t i = 1;
  for (; i + 9 <= width; i += 8) {
    const __m256 y =
        _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm_add_epi16(
                          Avx2LumaSums(p.y[0], i), Avx2LumaSums(p.y[1], i)))),
                      _mm256_set1_ps(1.0f / 16));
    const __m256 cb = _mm256_fmsub_ps(
        _mm256_add_ps(Avx2Bytes(p.cb[0] + i), Avx2Bytes(p.cb[1] + i)), half,
        middle);
    const __m256 cr = _mm256_fmsub_ps(
        _mm256_add_ps(Avx2Bytes(p.cr[0] + i), Avx2Bytes(p.cr[1] + i)), half,
        middle);
    const __m256 r = _mm256_permutevar8x32_ps(
        Avx2Clamp(_mm256_fmadd_ps(_mm256_set1_ps(1.402f), cr, y)), red_order);
    const __m256 g = _mm256_permutevar8x32_ps(
        Avx2Clamp(_mm256_fnmadd_ps(
            _mm256_set1_ps(0.714136f), cr,
            _mm256_fnmadd_ps(_mm256_set1_ps(0.344136f), cb, y))),
        green_order);
    const __m256 b = _mm256_permutevar8x32_ps(
        Avx2Clamp(_mm256_fmadd_ps(_mm256_set1_ps(1.772f), cb, y)), blue_order);
    float* out = rgb + 3 * i;
    _mm256_storeu_ps(out,
                     _mm256_blend_ps(_mm256_blend_ps(r, g, 0x92), b, 0x24));
    _mm256_storeu_ps(out + 8,
                     _mm256_blend_ps(_mm256_blend_ps(r, g, 0x24), b, 0x49));
    _mm256_storeu_ps(out + 16,
                     _mm256_blend_ps(_mm256_blend_ps(r, g, 0x49), b, 0x92));
  }
  YccPairsFrom(p, i, width, width, rgb);
}

ORVANTA_ROW_LOOPS(Avx2, 8, ORVANTA_AVX2)
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
