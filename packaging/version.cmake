# The package version, e.g. 0.1-1: the project's version and the Debian
# revision of the latest entry of packaging/changelog. Both programs print
# it for --version. A new project version needs its changelog entry first,
# so the installed changelog never lags behind the package.
set(_changelog ${CMAKE_CURRENT_LIST_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_changelog})
file(STRINGS ${_changelog} _entry_lines REGEX "^(vorlisk \\(| -- )")
list(GET _entry_lines 0 _head)
list(GET _entry_lines 1 _trailer)
if(NOT _head MATCHES "^vorlisk \\(([^)-]+)-([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog: the first line must read \"vorlisk (VERSION-REVISION) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: its latest entry is for ${CMAKE_MATCH_1}, the project is "
    "${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION} first")
endif()
set(VORLISK_DEBIAN_REVISION ${CMAKE_MATCH_2})
set(VORLISK_PACKAGE_VERSION ${PROJECT_VERSION}-${VORLISK_DEBIAN_REVISION})

# The entry's date (RFC 2822) as the manual pages show it: 2026-12-09.
if(NOT _trailer MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: the latest entry's date is not in the form \"Wed, 09 Dec 2026 ...\"")
endif()
set(_day ${CMAKE_MATCH_1})
set(_year ${CMAKE_MATCH_3})
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _months ${CMAKE_MATCH_2} _month)
math(EXPR _month "${_month} + 1")
if(_month EQUAL 0)
  message(FATAL_ERROR "packaging/changelog: unknown month in the latest entry's date")
endif()
if(_month LESS 10)
  set(_month 0${_month})
endif()
if(_day LESS 10 AND NOT _day MATCHES "^0")
  set(_day 0${_day})
endif()
set(VORLISK_RELEASE_DATE ${_year}-${_month}-${_day})
