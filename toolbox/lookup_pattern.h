// The pattern that picks the four fields out of the lookup service's answer:
// home region, card type, area code and postal code, as capture groups 1-4.
// The colons are full-width (U+FF1A); between the fields stand exactly three,
// one and five blanks. A narrow literal, so code page 936 bytes (106 of them)
// in the program.
#pragma once

namespace quorrin {

inline constexpr char lookup_pattern[] =
    "<p>卡号归属地：<em>(.*?)</em>   类型：<em>(.*?)</em> 区号：<em>(.*?)</em>     邮政编码：<em>(.*?)</em></p>";

}  // namespace quorrin
