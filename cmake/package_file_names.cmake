# Read by cpack for each generator: the installer's file name says what it is,
# beside the ZIP of the same files.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-installation")
endif()
