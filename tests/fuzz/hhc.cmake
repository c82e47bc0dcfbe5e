# Contents files (.hhc): the HTML parser and the DOM interfaces the engine's
# contents walk reads them through (the walk itself fills a tree control).
file(GLOB tw_fuzz_hhc_html ${TW_SRC}/platform/gecko/html/*.cpp)
tw_add_fuzzer(hhc
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hhc_fuzz.cpp ${tw_fuzz_hhc_html}
          ${TW_SRC}/platform/gecko/browser/nsDOMAdapters.cpp
          ${TW_SRC}/platform/xpcom/nsString.cpp
          ${TW_SRC}/platform/xpcom/nsCOMPtr.cpp
          ${TW_SRC}/platform/xpcom/nsID.cpp
          ${TW_SRC}/platform/xpcom/nsXPCOM.cpp
  INCLUDES ${TW_SRC}/platform/gecko/html ${TW_SRC}/platform/gecko/browser ${TW_SRC}/platform/xpcom)
