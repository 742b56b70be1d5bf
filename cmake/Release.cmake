# What a streamer unpacks into the host's folder: the Microsoft-ABI plug-in and the
# companion with its settings and notes. `cmake --install build --component release
# --prefix <host folder>` installs it there; every build also lays it out in
# build/release/HollinVanto/ and packs build/release/HollinVanto-<version>-win64.zip.
install(FILES ${SHIPPED_BIN}/plugins/HollinVanto.dll DESTINATION plugins COMPONENT release)
install(TARGETS Plauditor RUNTIME DESTINATION plugins/VantoPlauditor COMPONENT release)
# The release's copy goes without its debug information (20 of its 23 MB); the build tree's
# bin/plugins/VantoPlauditor/Plauditor.exe keeps it for a debugger.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-debug
                \"\${CMAKE_INSTALL_PREFIX}/plugins/VantoPlauditor/Plauditor.exe\" COMMAND_ERROR_IS_FATAL ANY)"
        COMPONENT release)
install(FILES ${CMAKE_SOURCE_DIR}/companion/plauditor/Plauditor.json
              ${CMAKE_SOURCE_DIR}/companion/plauditor/README.md
        DESTINATION plugins/VantoPlauditor COMPONENT release)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/INSTALL.txt DESTINATION . RENAME HollinVanto-INSTALL.txt
        COMPONENT release)

set(RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(RELEASE_FOLDER ${RELEASE_DIR}/HollinVanto)
set(RELEASE_ARCHIVE ${RELEASE_DIR}/HollinVanto-${PROJECT_VERSION}-win64.zip)
add_custom_target(release ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${RELEASE_FOLDER} ${RELEASE_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component release --prefix ${RELEASE_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E chdir ${RELEASE_FOLDER}
          ${CMAKE_COMMAND} -E tar cf ${RELEASE_ARCHIVE} --format=zip -- plugins HollinVanto-INSTALL.txt
  DEPENDS shipped Plauditor
  COMMENT "Release folder and archive in ${RELEASE_DIR}"
  VERBATIM)
