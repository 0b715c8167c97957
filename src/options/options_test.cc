// Taking the options from the controls: number boxes rounded and range
// checked, and the mid-size bounds; what a gallery's address may be. (The
// extension lists: the orvanta-cli table.)
#include "options/options.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace orvanta {
namespace {

TEST(CaptureOptionsTest, NumbersAndMidSizeBounds) {
  const struct {
    const char *per_row, *size;
    int resolution_index;
    int32_t expected_per_row, expected_size;
    int expected_width, expected_height;
  } cases[] = {
      {"0", "9", 0, 4, 150, 608, 383},
      {"1001", "5000", 1, 4, 5000, 760, 485},
      {"12.5", "10", 3, 12, 10, 1216, 791},
      {" 13.5 ", "5001", 4, 14, 150, 1520, 995},
      {"1", "4999.5", 7, 1, 5000, 973, 628},
  };
  for (const auto& c : cases) {
    OptionControls controls;
    controls.thumbnails_per_row = c.per_row;
    controls.thumbnail_maximum_width_or_height = c.size;
    controls.target_screen_resolution_index = c.resolution_index;
    GalleryOptions options;
    CaptureOptions(controls, "/prog", &options);
    EXPECT_EQ(options.thumbnails_per_row, c.expected_per_row) << c.per_row;
    EXPECT_EQ(options.thumbnail_maximum_width_or_height, c.expected_size);
    EXPECT_EQ(options.mid_size_maximum_width, c.expected_width);
    EXPECT_EQ(options.mid_size_maximum_height, c.expected_height);
    EXPECT_EQ(options.index_template_path, "/prog/IndexTemplate.html");
  }
  OptionControls controls;
  GalleryOptions options;
  controls.thumbnails_per_row = "4x";
  EXPECT_THROW(CaptureOptions(controls, "/p", &options), Error);
  controls.thumbnails_per_row = "3000000000";
  EXPECT_THROW(CaptureOptions(controls, "/p", &options), Error);
}

TEST(GalleryAddressTest, OnlyAWebFolderOrNothing) {
  for (const char* good : {"", "https://example.org/", "HTTP://a.b/c%20d/"}) {
    EXPECT_TRUE(IsGalleryAddress(good)) << good;
  }
  for (const char* bad :
       {"https://example.org", "ftp://example.org/", "https:///", "http://",
        "https://a b/", "https://a/\"x/", "https://a/<b>/", "file:///a/",
        "https://a/\x01/", "javascript:alert(1)//"}) {
    EXPECT_FALSE(IsGalleryAddress(bad)) << bad;
  }
}

}  // namespace
}  // namespace orvanta
