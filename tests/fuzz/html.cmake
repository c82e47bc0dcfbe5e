# The HTML parser and document tree, fed arbitrary bytes.
tw_add_fuzzer(html
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/html_fuzz.cpp
          ${TW_SRC}/platform/gecko/html/dom.cpp
          ${TW_SRC}/platform/gecko/html/entities.cpp
          ${TW_SRC}/platform/gecko/html/decode.cpp
          ${TW_SRC}/platform/gecko/html/tokenizer.cpp
          ${TW_SRC}/platform/gecko/html/treebuilder.cpp
  INCLUDES ${TW_SRC}/platform/gecko/html)
