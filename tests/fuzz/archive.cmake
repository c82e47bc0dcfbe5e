# Stored state as the UI library reads it back from the registry: CArchive
# over a memory file (objects by class name, back references, counts,
# strings) and the collections' Serialize. The class library's core is
# built natively against the Win32 stand-in in win32/.
# It finds the objects nobody owns through the address sanitizer's allocator
# hooks, so a build without that sanitizer (for profiling) goes without it.
if(NOT TW_FUZZ_SANITIZERS MATCHES "address")
  return()
endif()
tw_add_fuzzer(archive
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/archive_fuzz.cpp
          ${TW_SRC}/platform/afx/core/afxarchive.cpp
          ${TW_SRC}/platform/afx/core/afxobj.cpp
          ${TW_SRC}/platform/afx/core/afxstr.cpp
          ${TW_SRC}/platform/afx/core/afxexcept.cpp
          ${TW_SRC}/platform/afx/core/afxcoll.cpp
          ${TW_SRC}/platform/afx/core/afxfile.cpp
  INCLUDES ${CMAKE_CURRENT_LIST_DIR}/win32 ${TW_SRC}/platform/afx/core)
# The library is written for Windows, where these are fine.
target_compile_options(archive_fuzz PRIVATE -Wno-inconsistent-missing-override)
