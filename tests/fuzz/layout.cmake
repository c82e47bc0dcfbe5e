# The layout core (CSS, cascade, box tree, layout, painting, pagination) fed
# arbitrary pages, with the fixed-metric host of the layout tests.
file(GLOB tw_fuzz_layout_html ${TW_SRC}/platform/gecko/html/*.cpp)
file(GLOB tw_fuzz_layout_core ${TW_SRC}/platform/gecko/layout/*.cpp)
tw_add_fuzzer(layout
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/layout_fuzz.cpp ${tw_fuzz_layout_html} ${tw_fuzz_layout_core}
          ${TW_SRC}/platform/url/nsURLParser.cpp
  INCLUDES ${TW_SRC}/platform/gecko/html ${TW_SRC}/platform/gecko ${TW_SRC}/tests/layout
           ${TW_SRC}/platform/url)
