// exiv2's process-wide set-up, shared by the metadata reader and the
// publisher of pictures: its messages silenced, its XMP toolkit started
// with a lock (several threads read and write XMP at once), HEIC and AVIF
// switched on.
#ifndef ORVANTA_IMAGETOOLS_EXIV2_LIBRARY_H_
#define ORVANTA_IMAGETOOLS_EXIV2_LIBRARY_H_

namespace orvanta {

// Sets exiv2 up on the first call; later calls do nothing. Safe to call
// from several threads at once.
void SetUpExiv2Once();

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_EXIV2_LIBRARY_H_
