# Writes a tree of generated HTML pages and the help project that lists them:
#   cmake -DOUT=<folder> -DNAME=<name> -DPAGES=<n> -DPARAGRAPHS=<n> [-DSEED=<n>] -P gen_pages.cmake
# The pages go into a few nested folders (some names with blanks); every
# paragraph mixes fixed sentences with seeded random words, so the text
# compresses about as well as real help text. <OUT>/<NAME>.hhp compiles
# into <OUT>/<NAME>.chm.
if(NOT OUT OR NOT NAME OR NOT PAGES OR NOT PARAGRAPHS)
  message(FATAL_ERROR "gen_pages.cmake: OUT, NAME, PAGES and PARAGRAPHS are required")
endif()
if(NOT SEED)
  set(SEED 1)
endif()

set(sentences
  "The converter reads every page of the help file in the order of its contents."
  "Select a topic in the tree to show it, or use the search box to find a word."
  "Options set here apply to every conversion until they are changed again."
  "A table of contents is built from the headings and the links of each page."
  "Margins, headers and footers are chosen on the page setup sheet."
  "Images keep their size unless they are wider than the printable area."
  "Links between topics become links inside the document."
  "When a page cannot be found the conversion goes on with the next one.")
list(LENGTH sentences sentence_count)
set(folders "intro" "guide/basics" "guide/advanced topics" "reference/api" "reference/api/old"
            "faq" "appendix/tables and lists")
list(LENGTH folders folder_count)

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
set(files "")
set(seed ${SEED})
math(EXPR last "${PAGES} - 1")
foreach(p RANGE ${last})
  math(EXPR f "${p} % ${folder_count}")
  list(GET folders ${f} folder)
  set(rel "${folder}/topic ${p}.htm")
  if(p EQUAL 0)
    set(rel "index.htm")
  endif()
  set(body "<html><head><title>Topic ${p}</title></head><body>\n<h1>Topic ${p}</h1>\n")
  math(EXPR plast "${PARAGRAPHS} - 1")
  foreach(i RANGE ${plast})
    math(EXPR s "(${p} * 7 + ${i} * 3) % ${sentence_count}")
    list(GET sentences ${s} sentence)
    math(EXPR seed "${seed} + 1")
    string(RANDOM LENGTH 48 ALPHABET "abcdefghijklmnopqrstuvwxyz      " RANDOM_SEED ${seed} words)
    string(APPEND body "<p id=\"p${i}\">${sentence} ${words} (${p}.${i})</p>\n")
  endforeach()
  math(EXPR next "(${p} + 1) % ${PAGES}")
  string(APPEND body "<p><a href=\"#p0\">Top</a></p>\n</body></html>\n")
  file(WRITE "${OUT}/${rel}" "${body}")
  list(APPEND files "${rel}")
endforeach()

string(REPLACE ";" "\n" file_lines "${files}")
file(WRITE ${OUT}/${NAME}.hhp
"[OPTIONS]
Compatibility=1.1 or later
Compiled file=${NAME}.chm
Default topic=index.htm
Display compile progress=No
Language=0x409 English (United States)
Title=${NAME}

[FILES]
${file_lines}
")
