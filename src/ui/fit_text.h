// Labels, check boxes and buttons sized from the font in use. The windows
// keep their designed positions (in twips), but the design's widths were
// made for one font at 96 dots per inch; here a control whose text needs
// more room gets it, as far as its row and its frame allow, and a frame's
// controls clear its title.
#ifndef ORVANTA_UI_FIT_TEXT_H_
#define ORVANTA_UI_FIT_TEXT_H_

class QWidget;

namespace orvanta {

// Widens `control` (a label, check box or button) to the width its text
// needs, up to the next control on its row or its parent's edge; a text
// that wraps gets the height it needs at the width it has.
void FitTextToFont(QWidget* control);

// Moves the controls of every frame of `window` below the frame's title
// where they would sit on it, then fits every label, check box and button.
void FitTextsToFont(QWidget* window);

}  // namespace orvanta

#endif  // ORVANTA_UI_FIT_TEXT_H_
