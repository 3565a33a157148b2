# The portable package: `cmake --build --preset windows --target package` writes
# Tallowcron-<version>-win64.zip, one folder holding Tallowcron.exe and a read-me for Windows
# users. Nothing else is installed: the tests, helpers and benchmarks have no install rules.
if(NOT TARGET Tallowcron)
  return()
endif()

# The read-me as Windows' Notepad reads it: CR LF line ends (the file keeps its UTF-8 byte order
# mark), with the version filled in.
set(TC_WINDOWS_README ${PROJECT_BINARY_DIR}/README-Windows.txt)
configure_file(${PROJECT_SOURCE_DIR}/docs/README-Windows.txt ${TC_WINDOWS_README}
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Tallowcron RUNTIME DESTINATION .)
install(FILES ${TC_WINDOWS_README} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tallowcron)
set(CPACK_PACKAGE_VENDOR Tallowcron)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tallowcron, a desktop scheduler for Windows")
set(CPACK_PACKAGE_FILE_NAME Tallowcron-${PROJECT_VERSION}-win64)
# Unpacking gives one folder, Tallowcron-<version>-win64, with both files in it.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
