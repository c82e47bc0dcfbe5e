# Images on their way into a PDF: JPEG files as pages link them (the header
# walk that decides whether a JPEG is embedded as it is) and decoded pixels
# as the platform's decoders hand them over (width, height, stride, BGRA).
find_package(ZLIB QUIET)
if(ZLIB_FOUND)
  file(GLOB tw_image_pdf_sources ${TW_SRC}/platform/pdfutility/core/*.cpp)
  tw_add_fuzzer(image
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_fuzz.cpp ${tw_image_pdf_sources}
    INCLUDES ${TW_SRC}/platform/pdfutility/core)
  target_link_libraries(image_fuzz PRIVATE ZLIB::ZLIB)
endif()
