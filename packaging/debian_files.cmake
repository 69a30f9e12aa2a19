# The files Debian asks of every package besides its own: the copyright file
# and the changelog, installed in the package's documents folder.

# Installed compressed at gzip's best, as Debian wants, and without a time
# stamp, so that the same sources always give the same bytes.
function(murkwell_gzip input output)
  execute_process(COMMAND gzip -9 -n -c INPUT_FILE ${input} OUTPUT_FILE ${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${input}: ${failed}")
  endif()
endfunction()

# The copying conditions in Debian's machine-readable form: LICENSE's holder
# and text, the text indented one space with " ." for each blank line.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)")
  message(FATAL_ERROR "LICENSE has no copyright line")
endif()
set(MURKWELL_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*Copyright[^\n]*\n\n" "" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " MURKWELL_LICENSE_TEXT " ${licence}")
configure_file(copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)

# configure_file makes an edit of the changelog configure the build again.
configure_file(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog COPYONLY)
murkwell_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
