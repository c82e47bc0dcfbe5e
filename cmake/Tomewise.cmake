# Helpers shared by every area's CMakeLists.txt.

# tw_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI] [TIMEOUT <s>])
# One executable per area of tests, one CTest entry per executable (every
# process start under Wine costs time). GUI tests create windows and run one
# at a time so focus and activation stay deterministic.
function(tw_add_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS gui)
  endif()
endfunction()

# Windows system libraries most targets need.
set(TW_WIN32_LIBS user32 gdi32 kernel32 advapi32 shell32 comdlg32 comctl32
                  uxtheme winmm ole32 oleaut32 uuid shlwapi msimg32 windowscodecs)
