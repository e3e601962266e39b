#pragma once
// A box the user cannot type into shows the window's colour behind its text,
// as read-only boxes do on most desktops, so nobody types into a box that
// ignores the keys. The colour comes from the palette the box inherits, so a
// light and a dark scheme both look right.

class QPalette;
class QWidget;

namespace vimbo {

// Gives `box` the read-only look or takes it away again. `scheme` is the
// palette the box inherits; called again with a new one, the look follows.
void SetReadOnlyLook(QWidget& box, bool readOnly, const QPalette& scheme);

}  // namespace vimbo
