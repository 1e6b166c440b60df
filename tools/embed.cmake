# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P embed.cmake
# Writes a C++ source that holds the bytes of INPUT as
# quorrin::assets::SYMBOL and their count as quorrin::assets::SYMBOL_size.
foreach(variable INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "embed.cmake: ${variable} is not set")
  endif()
endforeach()
if(NOT SYMBOL MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
  message(FATAL_ERROR "embed.cmake: ${SYMBOL} is no C++ name")
endif()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line (CMake's expressions know no counted repetition).
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")  # an array needs one element; the size says there are none
endif()

file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by tools/embed.cmake; do not edit.
#include <cstddef>

namespace quorrin::assets {

extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}_size;

const unsigned char ${SYMBOL}[] = {
    ${bytes}
};
const std::size_t ${SYMBOL}_size = ${size};

}  // namespace quorrin::assets
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
