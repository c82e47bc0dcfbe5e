# Helpers shared by every area's CMakeLists.txt.

# tw_split_debug_info(<target>)
# Moves an executable's debug information to <file>.debug beside it, leaving
# a debug link to it: Wine reads every section of an image into the
# process's memory, and a build with debug information would carry tens of
# MB of it into every run of the program. gdb, perf and addr2line follow the
# link.
function(tw_split_debug_info target)
  if(NOT CMAKE_OBJCOPY OR NOT CMAKE_STRIP)
    return()
  endif()
  set(exe $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${exe} ${exe}.debug
    COMMAND ${CMAKE_STRIP} --strip-debug ${exe}
    COMMAND ${CMAKE_COMMAND} -E chdir $<TARGET_FILE_DIR:${target}>
            ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
    VERBATIM)
endfunction()

# tw_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI] [PLAIN] [CHECKED_HEAP] [TIMEOUT <s>])
# One executable per area of tests, one CTest entry per executable (every
# process start under Wine costs time). GUI tests create windows and run one
# at a time so focus and activation stay deterministic. A GoogleTest program
# (all but PLAIN ones, whose exit code is the check) carries the label
# "gtest" and writes its results to <build>/gtest-results/<name>.xml, where
# tests/run checks that it ran to its end and what it skipped.
function(tw_add_test name)
  cmake_parse_arguments(T "GUI;PLAIN;CHECKED_HEAP" "TIMEOUT" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  # CHECKED_HEAP: the heap that stops the program at a block deleted twice
  # and clears deleted blocks (tests/support/CheckedHeap.cpp) instead of the
  # program's own.
  if(T_CHECKED_HEAP)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest tw_checked_heap)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest tw_small_block_heap)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  set(labels "")
  if(NOT T_PLAIN)
    list(APPEND labels gtest)
    # Wine sees the build folder on drive Z:.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
                         "GTEST_OUTPUT=xml:Z:${CMAKE_BINARY_DIR}/gtest-results/${name}.xml")
  endif()
  if(T_GUI)
    list(APPEND labels gui)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(labels)
    set_tests_properties(${name} PROPERTIES LABELS "${labels}")
  endif()
endfunction()

# Windows system libraries most targets need.
set(TW_WIN32_LIBS user32 gdi32 kernel32 advapi32 shell32 comdlg32 comctl32
                  uxtheme winmm ole32 oleaut32 uuid shlwapi msimg32 windowscodecs)

# CHM fixtures. chmcmd (Debian package fp-utils) compiles the help projects
# of the tests and benchmarks; without it the build stops here.
find_program(TW_CHMCMD chmcmd)
if(NOT TW_CHMCMD)
  message(FATAL_ERROR "chmcmd (Debian package fp-utils) is needed for the CHM fixtures")
endif()

# tw_add_chm_fixture(<target> OUT <folder> HHP <name>
#                    [COPY <source folder>] [PAGES <n> PARAGRAPHS <n> [SEED <n>]])
# Compiles the help project <name>.hhp into <folder>/<name>.chm: either a
# copy of a source folder (COPY) or generated pages (tests/chm/gen_pages.cmake,
# PAGES/PARAGRAPHS/SEED). <target> builds it; its property TW_CHM and the
# variable <target>_CHM name the file.
function(tw_add_chm_fixture target)
  cmake_parse_arguments(F "" "OUT;HHP;COPY;PAGES;PARAGRAPHS;SEED" "" ${ARGN})
  if(NOT F_OUT OR NOT F_HHP OR (NOT F_COPY AND NOT F_PAGES))
    message(FATAL_ERROR "tw_add_chm_fixture(${target}): OUT, HHP and COPY or PAGES are required")
  endif()
  set(chm ${F_OUT}/${F_HHP}.chm)
  if(F_COPY)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${F_COPY}/*)
    set(make_pages COMMAND ${CMAKE_COMMAND} -E rm -rf ${F_OUT}
                   COMMAND ${CMAKE_COMMAND} -E copy_directory ${F_COPY} ${F_OUT})
  else()
    set(sources ${PROJECT_SOURCE_DIR}/tests/chm/gen_pages.cmake)
    if(NOT F_SEED)
      set(F_SEED 1)
    endif()
    set(make_pages COMMAND ${CMAKE_COMMAND} -DOUT=${F_OUT} -DNAME=${F_HHP} -DPAGES=${F_PAGES}
                           -DPARAGRAPHS=${F_PARAGRAPHS} -DSEED=${F_SEED}
                           -P ${PROJECT_SOURCE_DIR}/tests/chm/gen_pages.cmake)
  endif()
  add_custom_command(OUTPUT ${chm}
    ${make_pages}
    COMMAND ${CMAKE_COMMAND} -E chdir ${F_OUT} ${TW_CHMCMD} --no-html-scan ${F_HHP}.hhp
    DEPENDS ${sources}
    COMMENT "Compiling the CHM fixture ${F_HHP}.chm"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${chm})
  set_target_properties(${target} PROPERTIES TW_CHM ${chm})
  set(${target}_CHM ${chm} PARENT_SCOPE)
endfunction()

# tw_check_links(): every tw_*, gtest or gmock name a target links must be a
# target of this build. A name that is not (a misspelt or missing library)
# would otherwise reach the linker as a plain file name, or vanish from a
# partial build without a word.
function(tw_check_links dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    set(libs "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(own ${t} LINK_LIBRARIES)
      if(own)
        list(APPEND libs ${own})
      endif()
    endif()
    get_target_property(iface ${t} INTERFACE_LINK_LIBRARIES)
    if(iface)
      list(APPEND libs ${iface})
    endif()
    foreach(lib ${libs})
      if(lib MATCHES "^(tw_|gtest|gmock)" AND NOT TARGET ${lib})
        message(FATAL_ERROR "${t} links ${lib}, which is not a target of this build")
      endif()
    endforeach()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    tw_check_links(${sub})
  endforeach()
endfunction()
