# The same sources for 64-bit Windows: what the tests run under Wine on a
# machine whose kernel does not execute 32-bit code.
set(QUORRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
