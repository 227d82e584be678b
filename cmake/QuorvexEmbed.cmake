# quorvex_embed_files(TARGET HEADER NAMESPACE FILES...): generates, at build time, the header
# HEADER (a path such as "sheet/writers/PageAssets.h") holding each file's bytes as a
# std::string_view constant in NAMESPACE, and lets TARGET include it. Editing a file rebuilds it.
function(quorvex_embed_files target)
  cmake_parse_arguments(ARG "" "HEADER;NAMESPACE" "FILES" ${ARGN})
  set(root "${CMAKE_CURRENT_BINARY_DIR}/embedded")
  set(header "${root}/${ARG_HEADER}")
  list(TRANSFORM ARG_FILES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  add_custom_command(
    OUTPUT "${header}"
    COMMAND "${CMAKE_COMMAND}" "-DOUTPUT=${header}" "-DNAMESPACE=${ARG_NAMESPACE}"
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake" -- ${ARG_FILES}
    DEPENDS ${ARG_FILES} "${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake"
    COMMENT "Embedding ${ARG_HEADER}"
    VERBATIM)
  target_sources(${target} PRIVATE "${header}")
  target_include_directories(${target} PRIVATE "${root}")
endfunction()
