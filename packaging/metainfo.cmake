# The AppStream metainfo that software centres read: ${MURKWELL_METAINFO},
# with the project's version and the date of its release.

# The release date that software centres show is that of the changelog's
# newest entry, whose trailer ends in a date like "Sun, 06 Dec 2026 12:00:00 +0000".
file(READ changelog changes)
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
string(JOIN "|" months ${month_names})
if(NOT changes MATCHES "\n -- [^\n]*  [A-Z][a-z][a-z], ([0-9][0-9]) (${months}) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry's trailer has no date")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
list(FIND month_names ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
if(month LESS 10)
  set(month 0${month})
endif()
set(MURKWELL_RELEASE_DATE ${year}-${month}-${day})

# AppStream takes screenshots from the web only, and the project has no web
# site: whoever publishes docs/screenshot.png names its address here.
set(MURKWELL_SCREENSHOT_URL "" CACHE STRING "Web address of docs/screenshot.png, for the AppStream metainfo")
set(MURKWELL_METAINFO_SCREENSHOTS "")
if(MURKWELL_SCREENSHOT_URL)
  string(CONCAT MURKWELL_METAINFO_SCREENSHOTS
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>The dialog: pick the log and the page, then press Start</caption>\n"
      "      <image>${MURKWELL_SCREENSHOT_URL}</image>\n"
      "    </screenshot>\n"
      "  </screenshots>")
endif()
set(MURKWELL_APPSTREAM_ID invalid.murkwell.murkwell)
set(MURKWELL_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${MURKWELL_APPSTREAM_ID}.metainfo.xml)
configure_file(metainfo.xml.in ${MURKWELL_METAINFO} @ONLY)
