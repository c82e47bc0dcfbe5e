# The URL parser of the component kit: resolution against a base and the
# normal form of file URLs.
tw_add_fuzzer(url
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/url_fuzz.cpp
          ${TW_SRC}/platform/xpcom/nsURLParser.cpp
  INCLUDES ${TW_SRC}/platform/xpcom)
