#include "controls/mxbutton/font_object.h"

#include "platform/gdi/font_description.h"

namespace trimvox::mxbutton {

FontPtr CopyFont(const FontPtr& font) {
    if (!font) {
        return nullptr;
    }
    return std::make_shared<gdi::FontDescription>(*font);
}

bool SameFont(const FontPtr& a, const FontPtr& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return *a == *b;
}

} // namespace trimvox::mxbutton
