# SVG images as pages link them: the drawing reader the GDI host rasterises
# (XML, viewBox, transforms, paths, shapes, text, colours through the CSS
# parser).
file(GLOB tw_fuzz_svg_layout ${TW_SRC}/platform/gecko/layout/*.cpp)
file(GLOB tw_fuzz_svg_html ${TW_SRC}/platform/gecko/html/*.cpp)
tw_add_fuzzer(svg
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/svg_fuzz.cpp ${tw_fuzz_svg_layout} ${tw_fuzz_svg_html}
          ${TW_SRC}/platform/url/nsURLParser.cpp
  INCLUDES ${TW_SRC}/platform/gecko ${TW_SRC}/platform/gecko/html ${TW_SRC}/platform/url)
