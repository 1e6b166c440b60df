# quorrin_embed(target symbol file): compiles the bytes of `file` (relative to
# the calling directory) into `target` as
#   namespace quorrin::assets {
#   extern const unsigned char symbol[]; extern const std::size_t symbol_size; }
# The source is generated at build time and again whenever the file changes,
# so the program reads no file at run time. Plain C++ output: any compiler.
function(quorrin_embed target symbol file)
  get_filename_component(input "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/embed.cmake")
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DINPUT=${input}" "-DOUTPUT=${output}" "-DSYMBOL=${symbol}" -P "${script}"
    DEPENDS "${input}" "${script}"
    COMMENT "Embedding ${file} as quorrin::assets::${symbol}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()
