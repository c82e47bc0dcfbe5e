# The PDF writer driven by random calls (pages, text, images, links,
# destinations, outline, odd numbers): every document must close, and its
# cross-reference table must point at the objects it names. Needs the
# native zlib (zlib1g-dev); skipped without it.
find_package(ZLIB QUIET)
if(ZLIB_FOUND)
  file(GLOB tw_pdf_writer_sources ${TW_SRC}/platform/pdfutility/core/*.cpp)
  tw_add_fuzzer(pdf_writer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/pdf_writer_fuzz.cpp ${tw_pdf_writer_sources}
    INCLUDES ${TW_SRC}/platform/pdfutility/core)
  target_link_libraries(pdf_writer_fuzz PRIVATE ZLIB::ZLIB)
  target_compile_definitions(pdf_writer_fuzz PRIVATE
    TW_FUZZ_FONT="${CMAKE_CURRENT_LIST_DIR}/seeds/pdf_truetype/dejavu-subset.ttf")
endif()
