# The one URL parser: resolution against a base, the normal form of file
# URLs, and the local file and fragment a link leads to.
tw_add_fuzzer(url
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/url_fuzz.cpp
          ${TW_SRC}/platform/url/nsURLParser.cpp
  INCLUDES ${TW_SRC}/platform/url)
