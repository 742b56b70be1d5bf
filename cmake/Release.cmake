# What a streamer unpacks into the host's folder: the Microsoft-ABI plug-in and the
# companion with its settings and notes. `cmake --install build --component release
# --prefix <host folder>` installs it there; every build also lays it out in
# build/release/HollinVanto/ (which the tests, the demo and the browser test use) and has
# CPack pack it as build/release/HollinVanto-<version>-win64.zip.
install(FILES ${SHIPPED_BIN}/plugins/HollinVanto.dll DESTINATION plugins COMPONENT release)
install(TARGETS Plauditor RUNTIME DESTINATION plugins/VantoPlauditor COMPONENT release)
# The release's copy goes without its debug information (most of its size); the build tree
# keeps it beside the built program in Plauditor.exe.debug, which the released copy names
# for a debugger.
install(CODE "
  set(built \"$<TARGET_FILE:Plauditor>\")
  set(released \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/plugins/VantoPlauditor/Plauditor.exe\")
  execute_process(COMMAND ${CMAKE_OBJCOPY} --only-keep-debug \${built} \${built}.debug COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_STRIP} --strip-debug \${released} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=\${built}.debug \${released}
                  COMMAND_ERROR_IS_FATAL ANY)"
  COMPONENT release)
install(FILES ${CMAKE_SOURCE_DIR}/companion/plauditor/Plauditor.json
              ${CMAKE_SOURCE_DIR}/companion/plauditor/README.md
        DESTINATION plugins/VantoPlauditor COMPONENT release)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/INSTALL.txt DESTINATION . RENAME HollinVanto-INSTALL.txt
        COMPONENT release)

set(RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(RELEASE_FOLDER ${RELEASE_DIR}/HollinVanto)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME HollinVanto)
set(CPACK_PACKAGE_FILE_NAME HollinVanto-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${RELEASE_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)

add_custom_target(release ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${RELEASE_FOLDER}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component release --prefix ${RELEASE_FOLDER}
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  DEPENDS shipped Plauditor
  COMMENT "Release folder and archive in ${RELEASE_DIR}"
  VERBATIM)
