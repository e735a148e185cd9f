# quillora_install_man_page(<page>): installs src/resources/man/<page> (for example
# quillora.1) with @PROJECT_VERSION@ filled in, compressed without a time stamp as Debian
# wants, in the manual section its name ends with. Each program's CMakeLists calls it
# next to its install(TARGETS ...).
function(quillora_install_man_page page)
  set(configured ${PROJECT_BINARY_DIR}/man/${page})
  configure_file(${PROJECT_SOURCE_DIR}/src/resources/man/${page} ${configured} @ONLY)
  add_custom_command(
    OUTPUT ${configured}.gz
    COMMAND gzip -9 -n -k -f ${configured}
    DEPENDS ${configured}
    VERBATIM)
  add_custom_target(man_${page} ALL DEPENDS ${configured}.gz)
  string(REGEX MATCH "[^.]+$" section ${page})
  install(FILES ${configured}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
