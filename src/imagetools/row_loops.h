// The loops of the resampler that run over every decoded pixel, built for
// four floats at a time (any x86-64, ARM) and, on x86-64 processors with
// AVX2 and FMA (most made since 2015), for eight; the program takes the
// fastest its processor runs.
#ifndef ORVANTA_IMAGETOOLS_ROW_LOOPS_H_
#define ORVANTA_IMAGETOOLS_ROW_LOOPS_H_

#include <cstddef>
#include <cstdint>

#include "imagetools/resample.h"

namespace orvanta {

// Two rows of a JPEG's luma with the chroma that goes with them: the chroma
// at half the luma's width, its two rows the same one when the chroma has
// half the luma's height too.
struct YccPair {
  const uint8_t* y[2];
  const uint8_t* cb[2];
  const uint8_t* cr[2];
};

struct RowLoops {
  // into[i] = the mean of into[i] and row[i], rounded up, for i below
  // `length`.
  void (*average_rows)(const uint8_t* row, size_t length, uint8_t* into);
  // floats[i] = bytes[i] for i below `length`.
  void (*to_floats)(const uint8_t* bytes, size_t length, float* floats);
  // sums[i] = the `taps` rows at i, weighed, for i below `length` rounded
  // up to sixteen (the rows and sums must have room).
  void (*filter_down)(const float* const* rows, const float* weights, int taps,
                      size_t length, float* sums);
  // One row of red, green and blue floats filtered across into `sums`
  // (width x 3 floats); both rows must have a float to spare at their end.
  void (*filter_across_rgb)(const FilterAxis& axis, const float* row,
                            float* sums);
  // The sums rounded to bytes between 0 and 255.
  void (*store_bytes)(const float* sums, size_t length, uint8_t* bytes);
  // `width` pixels of red, green and blue floats (0 to 255) from the pair,
  // each of the mean of a 2 x 2 block of luma and of its two chroma
  // samples: the pair halved both ways and turned to RGB at once.
  void (*ycc_pairs_to_floats)(const YccPair& pair, size_t width, float* rgb);
};

const RowLoops& FastestRowLoops();
// The loops for four floats at a time, which every processor runs.
const RowLoops& PlainRowLoops();

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_ROW_LOOPS_H_
