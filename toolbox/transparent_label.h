// A one-line caption drawn straight onto the window's background picture.
#pragma once

#include "toolbox/child_control.h"
#include "toolbox/picture_set.h"

namespace quorrin {

class TransparentLabel final : public ChildControl {
public:
    // `background` is the parent's picture, drawn under the caption from the
    // parent's top-left corner.
    TransparentLabel(HWND parent, const char* caption, const RECT& rect, int id, bool visible, HFONT font,
                     COLORREF colour, Picture background);

private:
    std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint();

    HFONT font_;
    COLORREF colour_;
    Picture background_;
    POINT origin_;  // the label's top-left corner in the parent
};

}  // namespace quorrin
