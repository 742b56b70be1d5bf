# The Microsoft-ABI build: what ships and what drives it (the plug-in, our host library and
# headless host), with its own test programs on minitest/. The mingw-w64 build configures it
# inside itself (build/msabi) and runs its ctest as one entry; the preset windows-msabi
# configures it alone (build-msabi).
add_subdirectory(runtime)
# Every binary of this build gets the runtime's objects.
link_libraries(msabi_runtime)
add_subdirectory(win)

enable_testing()
add_subdirectory(hostlib)
# A host SDK folder made from host/ and our host library, so the SDK build can be proved.
set(STAGED_HOST_SDK ${CMAKE_BINARY_DIR}/host-sdk)
add_custom_target(host_sdk ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/host ${STAGED_HOST_SDK}/include
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_LINKER_FILE:OBSApi> ${STAGED_HOST_SDK}/lib/OBSApi.lib
  DEPENDS OBSApi VERBATIM)
add_subdirectory(link)
add_subdirectory(source)
add_subdirectory(plugin)
add_subdirectory(headless)
add_subdirectory(companion/blockwriter)
add_subdirectory(minitest)
add_subdirectory(tests/shipped)
add_subdirectory(tests/soak/run)
add_subdirectory(bench)

# The soak's producer is a program of the mingw-w64 build, which passes its path relative to
# bin/; configured alone, this build has no producer and registers no soak run.
set(VANTO_SOAK_PRODUCER "" CACHE STRING "soak_producer.exe of the mingw-w64 build, relative to bin/")
add_test(NAME shipped_tests COMMAND shipped_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
if(VANTO_SOAK_PRODUCER)
  # A Windows path: the runner starts it with CreateProcess.
  string(REPLACE "/" "\\" producer ${VANTO_SOAK_PRODUCER})
  add_test(NAME soak_run COMMAND soak_run_test --producer ${producer}
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(soak_run PROPERTIES TIMEOUT 400)
endif()
