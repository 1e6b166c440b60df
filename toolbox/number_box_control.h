// The phone-number edit box: a system edit control with the typing filter and
// the rewrite on losing the focus of number_box.h.
#pragma once

#include "text/text.h"
#include "toolbox/child_control.h"

namespace quorrin {

class NumberBoxControl final : public ChildControl {
public:
    NumberBoxControl(HWND parent, const RECT& rect, int id, bool visible, HFONT font);
    Text text() const;

private:
    std::optional<LRESULT> handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void rewrite();
};

}  // namespace quorrin
