# What the packages hold, and how CPack makes them (scripts/package.sh runs it):
# on Windows builds a ZIP and an NSIS installer of trivel.exe, elsewhere a
# Debian package of whatever the build installs.
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

set(CPACK_PACKAGE_NAME trivel)
set(CPACK_PACKAGE_VENDOR "the trivel developers")
set(CPACK_PACKAGE_CONTACT "the trivel developers <trivel@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lists the right triangles with whole sides in a range")
set(CPACK_PACKAGE_DESCRIPTION "trivel lists every pair (i, j) of a range of whole numbers
whose i² + j² is a perfect square c², one line of i, j and c each.
Its interface is in French. trivel-cli writes the same lines on
standard output, for scripts and pipes.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY trivel)
set(CPACK_STRIP_FILES ON)
# The installer takes its own file name (per generator, at packaging time).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_file_names.cmake)

if(WIN32)
  # The program, its read-me and its licence, with Windows line ends.
  install(TARGETS trivel RUNTIME DESTINATION .)
  configure_file(${packaging_dir}/windows/LISEZMOI.txt.in LISEZMOI.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/LISEZMOI.txt ${PROJECT_BINARY_DIR}/LICENSE.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP NSIS)
  # The shipped installer is 32-bit; the 64-bit one stands in for it in the
  # tests where the machine cannot run 32-bit programs.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(windows_name win32)
    set(CPACK_TRIVEL_NSIS_TARGET x86-unicode)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
  else()
    set(windows_name win64)
    set(CPACK_TRIVEL_NSIS_TARGET amd64-unicode)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  endif()
  set(CPACK_PACKAGE_FILE_NAME trivel-${CPACK_PACKAGE_VERSION}-${windows_name})
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY trivel)
  set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
  set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS -INPUTCHARSET UTF8)
  set(CPACK_TRIVEL_NSIS_ICON ${PROJECT_SOURCE_DIR}/resources/trivel.ico)
else()
  include(GNUInstallDirs)
  # The changelog's newest entry must be this version: a release bumps both.
  file(STRINGS ${packaging_dir}/debian/changelog newest_entry LIMIT_COUNT 1)
  if(NOT newest_entry MATCHES "^trivel \\(${CPACK_PACKAGE_VERSION}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the newest entry must be for version "
                        "${CPACK_PACKAGE_VERSION}, not: ${newest_entry}")
  endif()
  install(FILES ${packaging_dir}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install_gzipped(${packaging_dir}/debian/changelog ${CMAKE_INSTALL_DOCDIR})

  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE debian_architecture
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_FILE_NAME trivel-${CPACK_PACKAGE_VERSION}-linux-${debian_architecture})
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${debian_architecture})
  set(CPACK_DEBIAN_PACKAGE_SECTION math)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Qt's French texts, for the save dialog.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

# Everything the packages hold, and nothing more: scripts/package.sh builds
# this target rather than the tests and benchmarks too.
get_property(gzipped_targets GLOBAL PROPERTY TRIVEL_GZIPPED_TARGETS)
add_custom_target(packaged_files)
if(WIN32)
  add_dependencies(packaged_files trivel)
elseif(TRIVEL_QT)
  add_dependencies(packaged_files trivel trivel-cli ${gzipped_targets})
endif()

include(CPack)
