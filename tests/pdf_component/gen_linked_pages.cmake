# Writes a help project of pages that link to one another, for the
# conversion's threading tests:
#   cmake -DOUT=<folder> -DPAGES=<n> -P gen_linked_pages.cmake
# <OUT>/linked.hhp compiles into <OUT>/linked.chm. The contents list pages
# 0..n-1 (every fifth entry points at a position of its page); page p links
# to the next page, to a position of the page seven ahead, and to extra page
# p (not in the contents); extra page p links to extra page p + 1, so the
# wanted pages come in chains. Every third page runs over several PDF pages.
if(NOT OUT OR NOT PAGES)
  message(FATAL_ERROR "gen_linked_pages.cmake: OUT and PAGES are required")
endif()
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/pages ${OUT}/extra)
set(files "")
set(toc "")
math(EXPR last "${PAGES} - 1")
foreach(p RANGE ${last})
  math(EXPR next "(${p} + 1) % ${PAGES}")
  math(EXPR ahead "(${p} + 7) % ${PAGES}")
  set(body "<html><head><title>Page ${p}</title>\n<style>h2 { color: #336 } .n { font-style: italic }</style></head><body>\n")
  string(APPEND body "<h1>Page ${p}</h1>\n<p>To <a href=\"page${next}.htm\">the next page</a>, to <a href=\"page${ahead}.htm#part2\">part two seven pages on</a> and to <a href=\"../extra/extra${p}.htm\">an extra page</a>.</p>\n")
  math(EXPR long "${p} % 3")
  set(parts 3)
  if(long EQUAL 0)
    set(parts 9)
  endif()
  foreach(i RANGE 1 ${parts})
    string(APPEND body "<h2 id=\"part${i}\">Part ${i}</h2>\n")
    foreach(j RANGE 1 6)
      string(APPEND body "<p class=\"n\">Paragraph ${j} of part ${i} on page ${p}: the text runs on for a while so that the lines wrap and the parts fill the page.</p>\n")
    endforeach()
  endforeach()
  string(APPEND body "<table border=\"1\"><tr><td>cell</td><td><a href=\"#part1\">back to part one</a></td></tr></table>\n</body></html>\n")
  file(WRITE "${OUT}/pages/page${p}.htm" "${body}")
  math(EXPR next_extra "${p} + 1")
  file(WRITE "${OUT}/extra/extra${p}.htm"
       "<html><body><h1>Extra ${p}</h1><p>Wanted through a link; on to <a href=\"extra${next_extra}.htm\">the next extra page</a>.</p></body></html>\n")
  list(APPEND files "pages/page${p}.htm" "extra/extra${p}.htm")
  math(EXPR anchored "${p} % 5")
  set(local "pages/page${p}.htm")
  if(anchored EQUAL 0)
    set(local "pages/page${p}.htm#part2")
  endif()
  string(APPEND toc "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Page ${p}\"><param name=\"Local\" value=\"${local}\"></OBJECT>\n")
endforeach()
file(WRITE ${OUT}/toc.hhc "<HTML><BODY><UL>\n${toc}</UL></BODY></HTML>\n")
list(APPEND files "toc.hhc")
string(REPLACE ";" "\n" file_lines "${files}")
file(WRITE ${OUT}/linked.hhp
"[OPTIONS]
Compatibility=1.1 or later
Compiled file=linked.chm
Contents file=toc.hhc
Default topic=pages/page0.htm
Display compile progress=No
Language=0x409 English (United States)
Title=Linked pages

[FILES]
${file_lines}
")
