# The host SDK build: the plug-in alone, built against a host SDK folder instead of host/ and
# our host library, with the Microsoft-ABI toolchain:
#   VANTO_HOST_SDK/include/OBSApi.h   the host API headers (OBSApi.h and what it includes)
#   VANTO_HOST_SDK/lib/OBSApi.lib     the import library of the host's OBSApi.dll
# The mingw-w64 build runs it on the folder the Microsoft-ABI build stages (build/msabi-sdk).
if(NOT EXISTS ${VANTO_HOST_SDK}/include/OBSApi.h OR NOT EXISTS ${VANTO_HOST_SDK}/lib/OBSApi.lib)
  message(FATAL_ERROR "VANTO_HOST_SDK (${VANTO_HOST_SDK}) needs include/OBSApi.h and lib/OBSApi.lib")
endif()

add_subdirectory(runtime)
link_libraries(msabi_runtime)
add_subdirectory(win)

# The plug-in's sources include "host/OBSApi.h": a header of that name, found before ours,
# hands the include on to the SDK's.
set(HOST_SDK_FORWARD ${CMAKE_BINARY_DIR}/host-sdk-forward)
file(WRITE ${HOST_SDK_FORWARD}/host/OBSApi.h "#pragma once\n#include <OBSApi.h>\n")
include_directories(BEFORE ${HOST_SDK_FORWARD})

add_library(OBSApi SHARED IMPORTED)
set_target_properties(OBSApi PROPERTIES
  IMPORTED_IMPLIB ${VANTO_HOST_SDK}/lib/OBSApi.lib
  INTERFACE_INCLUDE_DIRECTORIES ${VANTO_HOST_SDK}/include)

add_subdirectory(link)
add_subdirectory(source)
add_subdirectory(plugin)
