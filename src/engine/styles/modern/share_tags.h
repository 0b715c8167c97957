// The modern pages' link previews (%ShareTags%): with a gallery address,
// the page's canonical address, the link to the gallery's feed, and the
// Open Graph and Twitter tags that chats and social sites read (title,
// description, address, picture and its size). Nothing without an
// address: a preview needs absolute addresses.
#ifndef ORVANTA_ENGINE_STYLES_MODERN_SHARE_TAGS_H_
#define ORVANTA_ENGINE_STYLES_MODERN_SHARE_TAGS_H_

#include <string>
#include <vector>

#include "engine/styles/page_style.h"

namespace orvanta {

// An index page's: its title and description, the first picture it shows
// (else its first subfolder's cover).
void IndexShareTags(const PageInput& in, std::vector<std::string>* out);
// Entry `i`'s page: its title, its caption (else the folder's
// description), its web-size copy (else its thumbnail).
void PictureShareTags(const PageInput& in, int i,
                      std::vector<std::string>* out);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_STYLES_MODERN_SHARE_TAGS_H_
