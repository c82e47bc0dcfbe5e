# The PDF writer's readers of untrusted bytes: TrueType fonts and
# collections (parse, character map, metrics, subsetting), JPEG headers, and
# the text encoders that page text and titles pass through.
tw_add_fuzzer(pdf_truetype
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pdf_truetype_fuzz.cpp
          ${TW_SRC}/platform/pdfutility/core/pdf_truetype.cpp
          ${TW_SRC}/platform/pdfutility/core/pdf_jpeg.cpp
          ${TW_SRC}/platform/pdfutility/core/pdf_format.cpp
  INCLUDES ${TW_SRC}/platform/pdfutility/core)
