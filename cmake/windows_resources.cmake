# The resources every Windows program of the project carries: the icon drawn
# from res/icon-*.png, the manifest and the version record.
#   murkwell_add_program_resources(TARGET FILE_NAME)

# The version record counts on its own, apart from the release number.
set(MURKWELL_FILE_VERSION 1.0.0.1)
string(REPLACE "." "," MURKWELL_FILE_VERSION_COMMAS ${MURKWELL_FILE_VERSION})
string(REPLACE "." ", " MURKWELL_FILE_VERSION_TEXT ${MURKWELL_FILE_VERSION})

# Windows resources take BMP and ICO files; they are made from the very
# pictures the Qt program shows.
set(MURKWELL_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(MURKWELL_ICON_FILE ${MURKWELL_PICTURES_DIR}/murkwell.ico)
set(MURKWELL_LOGO_FILE ${MURKWELL_PICTURES_DIR}/logo.bmp)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${MURKWELL_ICON_FILE} ${MURKWELL_LOGO_FILE}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/res/windows_pictures.py ${MURKWELL_PICTURES_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/res/windows_pictures.py ${PROJECT_SOURCE_DIR}/res/logo.png
          ${PROJECT_SOURCE_DIR}/res/icon-32.png ${PROJECT_SOURCE_DIR}/res/icon-16.png
  COMMENT "Making the Windows icon and logo")
add_custom_target(murkwell_windows_pictures DEPENDS ${MURKWELL_ICON_FILE} ${MURKWELL_LOGO_FILE})

set(MURKWELL_MANIFEST_FILE ${CMAKE_BINARY_DIR}/murkwell.manifest)
configure_file(${PROJECT_SOURCE_DIR}/win32/murkwell.manifest ${MURKWELL_MANIFEST_FILE} @ONLY)

function(murkwell_add_program_resources target file_name)
  set(MURKWELL_PROGRAM_FILE ${file_name})
  set(MURKWELL_RESOURCE_IDS ${PROJECT_SOURCE_DIR}/win32/resource_ids.h)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/win32/program.rc.in ${script} @ONLY)
  set_source_files_properties(${script} PROPERTIES
    OBJECT_DEPENDS "${MURKWELL_ICON_FILE};${MURKWELL_MANIFEST_FILE};${MURKWELL_RESOURCE_IDS}")
  target_sources(${target} PRIVATE ${script})
  add_dependencies(${target} murkwell_windows_pictures)
endfunction()
