# The CHM reader: headers, directory, section 0 and the LZX section.
tw_add_fuzzer(chm
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chm_fuzz.cpp
          ${TW_SRC}/platform/chm/ChmSource.cpp
          ${TW_SRC}/platform/chm/Lzx.cpp
          ${TW_SRC}/platform/chm/ChmReader.cpp
          ${TW_SRC}/platform/chm/ChmUnpack.cpp
  INCLUDES ${TW_SRC}/platform/chm)
