# Writes a compressed manual page from its template and the program's own
# --help: every line of --help that starts with an option becomes an entry
# of the options section, so the page lists exactly what the program takes.
#   cmake -DPROGRAM=exe -DTEMPLATE=x.1.in -DOUTPUT=x.1.gz -DVERSION=0.1-1 -DDATE=2026-12-09 -P manpage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${rc})")
endif()

# roff: a backslash is written \e, a minus sign \-.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(OPTIONS "")
foreach(line IN LISTS lines)
  # "  --set 名称=0|1         text": the option and its argument, at least
  # two blanks, the explanation.
  if(NOT line MATCHES "^  (-([^ ]| [^ ])*)  +(.*)$")
    continue()
  endif()
  set(text "${CMAKE_MATCH_3}")
  string(REPLACE " " ";" words "${CMAKE_MATCH_1}")
  set(head "")
  foreach(word IN LISTS words)
    roff_text("${word}" word)
    if(word MATCHES "^\\\\-")
      list(APPEND head "\\fB${word}\\fR")
    else()
      list(APPEND head "\\fI${word}\\fR")
    endif()
  endforeach()
  list(JOIN head " " head)
  roff_text("${text}" text)
  # groff breaks lines only at blanks, which Chinese lacks: allow a break
  # after the punctuation.
  foreach(mark "，" "；" "、" "）")
    string(REPLACE "${mark}" "${mark}\\:" text "${text}")
  endforeach()
  string(APPEND OPTIONS ".TP\n${head}\n${text}\n")
endforeach()
if(OPTIONS STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help lists no options")
endif()
string(REGEX REPLACE "\n$" "" OPTIONS "${OPTIONS}")

configure_file(${TEMPLATE} ${OUTPUT}.tmp @ONLY)
# Compressed as Debian wants manual pages: best compression, no name or
# time stamp in the header, so the same page gives the same bytes.
file(REMOVE ${OUTPUT})
execute_process(COMMAND gzip -9n ${OUTPUT}.tmp RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${OUTPUT}")
endif()
file(RENAME ${OUTPUT}.tmp.gz ${OUTPUT})
