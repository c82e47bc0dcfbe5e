# The CSS parser on its own: tokenizer, style sheets with @import and
# @media, declaration blocks, selector lists and colour values.
tw_add_fuzzer(css
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/css_fuzz.cpp
          ${TW_SRC}/platform/gecko/layout/css.cpp
          ${TW_SRC}/platform/gecko/layout/media.cpp
  INCLUDES ${TW_SRC}/platform/gecko)
