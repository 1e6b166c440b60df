// Decoding of the lookup service's answer: percent escapes, then UTF-8 to the
// system's ANSI code page by way of UTF-16.
#pragma once

#include "text/byte_buffer.h"
#include "text/text.h"

namespace quorrin {

// Only "%" is special: "%" and the two bytes after it always become one byte
// (a digit that is not hexadecimal counts as -2, a missing one as 0); a
// decoded zero byte is dropped. The result is converted from UTF-8.
Text percent_decode(const Text& answer);

// `utf8` gains a zero byte at its end when its last byte is below 127.
Text utf8_to_local(ByteBuffer& utf8);

// Converts exactly the UTF-16LE units of `wide`; the text ends at the first
// zero unit, or with the last unit when there is none.
Text wide_to_local(const ByteBuffer& wide);

}  // namespace quorrin
