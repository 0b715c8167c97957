# The package's documents made from the repository's own texts:
#   orvanta_copyright(LICENSE OUT)   LICENSE as a machine-readable (DEP-5)
#                                    copyright file, from data/copyright.in
#   orvanta_release_notes(NEWS CHANGELOG_OUT RELEASES_VAR)
#                                    NEWS as a Debian changelog, and its
#                                    releases as AppStream <release>s with
#                                    their items
#   orvanta_gzip(TARGET FILES...)    FILE.gz beside each FILE at build time,
#                                    with gzip -9n (no name, no time stamp:
#                                    the package builds the same every time)

# LICENSE starts with one "Copyright ..." line; the rest is the licence.
function(orvanta_copyright license out)
  file(READ ${license} text)
  string(REGEX MATCH "^Copyright ([^\n]+)\n\n" ignored "${text}")
  if(NOT CMAKE_MATCH_1)
    message(FATAL_ERROR "${license} does not start with a Copyright line")
  endif()
  set(ORVANTA_COPYRIGHT "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^Copyright [^\n]+\n\n" "" body "${text}")
  string(STRIP "${body}" body)
  # DEP-5: every line of the text indented, an empty line written " .".
  string(REPLACE "\n\n" "\n.\n" body "${body}")
  string(REPLACE "\n" "\n " body "${body}")
  set(ORVANTA_LICENSE_TEXT " ${body}")
  configure_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${out} @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${license})
endfunction()

# The day of the week of YEAR-MONTH-DAY, as "Mon" ... "Sun" (Zeller).
function(orvanta_weekday year month day out)
  math(EXPR m "${month}")
  math(EXPR y "${year}")
  if(m LESS 3)
    math(EXPR m "${m} + 12")
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR h "(${day} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
  set(names Sat Sun Mon Tue Wed Thu Fri)
  list(GET names ${h} name)
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# One release of NEWS as a Debian changelog entry and an AppStream
# <release>; appends to `changelog` and `releases` in the caller.
macro(orvanta_release_entry)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" ignored "${date}")
  set(year ${CMAKE_MATCH_1})
  set(day ${CMAKE_MATCH_3})
  math(EXPR month "${CMAKE_MATCH_2} - 1")
  orvanta_weekday(${year} ${CMAKE_MATCH_2} ${day} weekday)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET months ${month} month)
  string(APPEND changelog
         "orvanta (${version}) unstable; urgency=medium\n\n${items}\n"
         " -- ${ORVANTA_CONTACT}  ${weekday}, ${day} ${month} ${year}"
         " 00:00:00 +0000\n\n")
  if(notes)
    string(APPEND releases
           "    <release version=\"${version}\" date=\"${date}\">\n"
           "      <description>\n        <ul>\n${notes}</li>\n        </ul>\n"
           "      </description>\n    </release>\n")
  else()
    string(APPEND releases
           "    <release version=\"${version}\" date=\"${date}\"/>\n")
  endif()
endmacro()

# `text` with XML's special characters escaped, into `out`.
function(orvanta_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# NEWS: a heading "* Orvanta VERSION, YYYY-MM-DD" per release, newest
# first, each followed by its items: "  - " lines, continued on lines
# indented by four. Anything else (the text before the first heading,
# empty lines) is left out.
function(orvanta_release_notes news changelog_out releases_var)
  configure_file(${news} ${changelog_out}.news @ONLY)
  file(READ ${changelog_out}.news text)
  file(REMOVE ${changelog_out}.news)
  # One list element per line: what a CMake list would take apart waits
  # under a stand-in until the end.
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "[" "<open>" text "${text}")
  string(REPLACE "]" "<close>" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(changelog "")
  set(releases "")
  set(version "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\* Orvanta ([^ ,]+), ([0-9]+-[0-9]+-[0-9]+)$")
      set(heading ${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
      if(version)
        orvanta_release_entry()
      endif()
      list(GET heading 0 version)
      list(GET heading 1 date)
      set(items "")
      set(notes "")
    elseif(version AND line MATCHES "^  - (.+)$")
      string(APPEND items "  * ${CMAKE_MATCH_1}\n")
      orvanta_xml_text("${CMAKE_MATCH_1}" note)
      if(notes)
        string(APPEND notes "</li>\n")
      endif()
      string(APPEND notes "          <li>${note}")
    elseif(version AND line MATCHES "^    (.+)$")
      string(APPEND items "    ${CMAKE_MATCH_1}\n")
      orvanta_xml_text("${CMAKE_MATCH_1}" note)
      string(APPEND notes " ${note}")
    endif()
  endforeach()
  if(NOT version)
    message(FATAL_ERROR "${news} names no release")
  endif()
  orvanta_release_entry()
  string(STRIP "${changelog}" changelog)
  string(REPLACE "<semicolon>" ";" changelog "${changelog}")
  string(REPLACE "<open>" "[" changelog "${changelog}")
  string(REPLACE "<close>" "]" changelog "${changelog}")
  file(WRITE ${changelog_out} "${changelog}\n")
  string(STRIP "${releases}" releases)
  foreach(mark semicolon open close)
    string(REPLACE "&lt;${mark}&gt;" "<${mark}>" releases "${releases}")
  endforeach()
  string(REPLACE "<semicolon>" ";" releases "${releases}")
  string(REPLACE "<open>" "[" releases "${releases}")
  string(REPLACE "<close>" "]" releases "${releases}")
  set(${releases_var} "    ${releases}" PARENT_SCOPE)
endfunction()

function(orvanta_gzip target)
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  set(outputs "")
  foreach(file IN LISTS ARGN)
    add_custom_command(OUTPUT ${file}.gz
      COMMAND ${GZIP_EXECUTABLE} -9nkf ${file}
      DEPENDS ${file} VERBATIM)
    list(APPEND outputs ${file}.gz)
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
