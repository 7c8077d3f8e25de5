# corvane_gauge(NAME SOURCES file... ART file... [OUTPUT_DIR dir])
#
# Builds the gauge module NAME.gau: its sources on the module frame, with the
# bitmaps that its art program draws at build time embedded in the module's
# own resource section. Only Linkage and ImportTable are exported.
function(corvane_gauge name)
  cmake_parse_arguments(G "" "OUTPUT_DIR" "SOURCES;ART" ${ARGN})
  if(NOT G_OUTPUT_DIR)
    set(G_OUTPUT_DIR ${CORVANE_MODULES_DIR})
  endif()

  add_executable(${name}_art ${G_ART})
  target_link_libraries(${name}_art PRIVATE corvane_art)
  set_target_properties(${name}_art PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${name}.resources)
  add_custom_command(OUTPUT ${resources}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:${name}_art> ${resources}
    DEPENDS ${name}_art
    COMMENT "Drawing the bitmaps of ${name}")

  set(embed ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.S)
  file(WRITE ${embed}.in
    "    .section .corvane_resources,\"\",@progbits\n"
    "    .incbin \"${resources}\"\n"
    "    .section .note.GNU-stack,\"\",@progbits\n")
  configure_file(${embed}.in ${embed} COPYONLY)
  set_source_files_properties(${embed} PROPERTIES OBJECT_DEPENDS ${resources})

  add_library(${name} MODULE ${G_SOURCES} ${embed})
  target_link_libraries(${name} PRIVATE corvane_frame)
  target_compile_options(${name} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${CORVANE_WARNINGS}>)
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/frame/exports.map -Wl,--no-undefined)
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX ".gau"
    LIBRARY_OUTPUT_DIRECTORY ${G_OUTPUT_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  add_dependencies(${name} GaugeSound)
  set_property(GLOBAL APPEND PROPERTY CORVANE_GAUGES ${name})
endfunction()
