# install_gzipped(FILE DESTINATION): installs FILE.gz, compressed at build time,
# as Debian wants manual pages and changelogs. gzip -n leaves out the name and
# time, so the same file always gives the same bytes.
function(install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
                     COMMAND gzip -9 -n -c ${file} > ${gzipped}
                     DEPENDS ${file}
                     COMMENT "Compressing ${name}")
  add_custom_target(gzip-${name} ALL DEPENDS ${gzipped})
  set_property(GLOBAL APPEND PROPERTY TRIVEL_GZIPPED_TARGETS gzip-${name})
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()
