# add_vst_plugin(<Name> GENERATION 24|23 SOURCES <files...> [LIBRARIES <libs...>] [TEST_ONLY])
#
# Builds <Name>.so in <build>/plugins: the host interface linked in, the entry
# points of its generation exported and every other symbol hidden. TEST_ONLY
# keeps it out of the list of plug-ins that are installed.
function(add_vst_plugin name)
  cmake_parse_arguments(PLUGIN "TEST_ONLY" "GENERATION" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT PLUGIN_GENERATION MATCHES "^(23|24)$")
    message(FATAL_ERROR "add_vst_plugin(${name}): GENERATION must be 23 or 24")
  endif()
  add_library(${name} MODULE ${PLUGIN_SOURCES})
  target_link_libraries(${name} PRIVATE vst_entry${PLUGIN_GENERATION} vst_host ${PLUGIN_LIBRARIES})
  set(map ${PROJECT_SOURCE_DIR}/host/exports${PLUGIN_GENERATION}.map)
  target_link_options(${name} PRIVATE -Wl,--version-script=${map} -Wl,--no-undefined -Wl,-z,defs)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/plugins
    LINK_DEPENDS ${map})
  if(NOT PLUGIN_TEST_ONLY)
    set_property(GLOBAL APPEND PROPERTY VST_PLUGINS ${name})
  endif()
endfunction()

# add_plugin_test(<target> SOURCES <files...> [PLUGINS <Name...>] [LIBRARIES <libs...>] [LABELS <labels...>])
#
# A GoogleTest program with the hosting library; for each plug-in named, the
# path of its built library is PLUGIN_PATH_<Name>. tests/support is on the include
# path (loaded_plugin.h, signal.h). LABELS concurrency also runs it under ThreadSanitizer.
function(add_plugin_test target)
  cmake_parse_arguments(T "" "" "SOURCES;PLUGINS;LIBRARIES;LABELS" ${ARGN})
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE hosting GTest::gtest GTest::gtest_main ${T_LIBRARIES})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  foreach(plugin IN LISTS T_PLUGINS)
    target_compile_definitions(${target} PRIVATE PLUGIN_PATH_${plugin}="$<TARGET_FILE:${plugin}>")
    add_dependencies(${target} ${plugin})
  endforeach()
  add_test(NAME ${target} COMMAND ${target})
  if(T_LABELS)
    set_tests_properties(${target} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
