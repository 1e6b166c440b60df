#pragma once

namespace quorrin {

class ToolboxWindow;

// Looks up the number typed into the lookup panel and shows the answer's
// home region, card type, area code and postal code in its labels.
void lookup_phone_number(ToolboxWindow& window);

}  // namespace quorrin
