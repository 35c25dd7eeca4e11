#pragma once

#include "controls/mxbutton/button_model.h"

namespace trimvox::mxbutton {

// A font object of its own with the same attributes; none stays none.
FontPtr CopyFont(const FontPtr& font);

// Whether two font objects have the same attributes; two missing fonts are the same.
bool SameFont(const FontPtr& a, const FontPtr& b);

} // namespace trimvox::mxbutton
