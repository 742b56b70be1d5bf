# The Microsoft-ABI build: what ships and what drives it. VANTO_HOST_SDK names a host SDK
# folder (include/OBSApi.h and what it includes, lib/OBSApi.lib); with it, the plug-in is
# built against that SDK instead of host/ and our host library, and nothing else is built.
set(VANTO_HOST_SDK "" CACHE PATH "Host SDK folder: include/ with OBSApi.h, lib/OBSApi.lib")

add_subdirectory(runtime)
# Every binary of this build gets the runtime's objects.
link_libraries(msabi_runtime)
add_subdirectory(win)

if(VANTO_HOST_SDK)
  include(cmake/HostSdk.cmake)
  add_subdirectory(link)
  add_subdirectory(source)
  add_subdirectory(plugin)
  return()
endif()

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
add_subdirectory(tests/shipped)
add_subdirectory(tests/soak/run)
add_subdirectory(bench)
