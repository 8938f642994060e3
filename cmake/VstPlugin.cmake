# add_vst_plugin(<Name> GENERATION 24|23
#                [NAMESPACE <ns>]              the plug-in's own namespace (default: name in lower case)
#                [DSP <files...>]              its signal processing: <ns>_dsp
#                [EFFECT <files...>]           its effect class and createEffectInstance: <ns>_effect
#                [EDITOR <files...>]           its editor, part of <ns>_effect
#                [PAINTER <painter.cpp> BITMAPS <resources.txt>]   its pictures
#                [SOURCES <files...>]          a test plug-in built from sources alone
#                [LIBRARIES <libs...>] [TEST_ONLY])
#
# The one call that adds a plug-in. Builds <Name>.so in <build>/plugins: the
# host interface linked in, the entry points of its generation exported and
# every other symbol hidden. <ns>_dsp (plain C++, links dsp) and <ns>_effect
# (links <ns>_dsp, the host interface and, with an editor, the toolkit and the
# bitmaps) are libraries that tests link to look inside. TEST_ONLY keeps the
# plug-in out of the list of plug-ins that are installed.
function(add_vst_plugin name)
  cmake_parse_arguments(PLUGIN "TEST_ONLY" "GENERATION;NAMESPACE;PAINTER;BITMAPS"
    "SOURCES;DSP;EFFECT;EDITOR;LIBRARIES" ${ARGN})
  if(NOT PLUGIN_GENERATION MATCHES "^(23|24)$")
    message(FATAL_ERROR "add_vst_plugin(${name}): GENERATION must be 23 or 24")
  endif()
  if(PLUGIN_NAMESPACE)
    set(ns ${PLUGIN_NAMESPACE})
  else()
    string(TOLOWER ${name} ns)
  endif()

  add_library(${name} MODULE ${PLUGIN_SOURCES})
  if(PLUGIN_DSP)
    add_library(${ns}_dsp STATIC ${PLUGIN_DSP})
    target_link_libraries(${ns}_dsp PUBLIC dsp realtime)
  endif()
  if(PLUGIN_EFFECT)
    add_library(${ns}_effect STATIC ${PLUGIN_EFFECT} ${PLUGIN_EDITOR})
    target_link_libraries(${ns}_effect PUBLIC vst_host ${PLUGIN_LIBRARIES})
    if(PLUGIN_DSP)
      target_link_libraries(${ns}_effect PUBLIC ${ns}_dsp)
    endif()
    if(PLUGIN_EDITOR)
      target_link_libraries(${ns}_effect PUBLIC vst_guieditor)
    endif()
    if(PLUGIN_BITMAPS)
      # The resource table goes with the effect into every program that links
      # it, as object code: a library's one table must not wait in an archive.
      add_plugin_bitmaps(${ns}_bitmaps PAINTER ${PLUGIN_PAINTER} LIST ${PLUGIN_BITMAPS}
        NAMESPACE ${ns})
      target_sources(${ns}_effect INTERFACE $<TARGET_OBJECTS:${ns}_bitmaps>)
      add_dependencies(${ns}_effect ${ns}_bitmaps)
    endif()
    target_link_libraries(${name} PRIVATE ${ns}_effect)
  endif()

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
  foreach(plugin IN LISTS T_PLUGINS)
    target_compile_definitions(${target} PRIVATE PLUGIN_PATH_${plugin}="$<TARGET_FILE:${plugin}>")
    add_dependencies(${target} ${plugin})
  endforeach()
  add_test(NAME ${target} COMMAND ${target})
  if(T_LABELS)
    set_tests_properties(${target} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
