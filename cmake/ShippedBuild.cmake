# The Microsoft-ABI build, inside this one (build/msabi): the plug-in, host library and
# headless host that ship and that the end-to-end tests, the soak, the demo and the
# benchmark drive. Rebuilt with every build of this tree.
include(ExternalProject)
set(SHIPPED_BINARY_DIR ${CMAKE_BINARY_DIR}/msabi)
set(SHIPPED_BIN ${SHIPPED_BINARY_DIR}/bin)
ExternalProject_Add(shipped
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${SHIPPED_BINARY_DIR}
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/clang-msabi-x86_64.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON
  BUILD_BYPRODUCTS ${SHIPPED_BIN}/plugins/HollinVanto.dll ${SHIPPED_BIN}/OBSApi.dll
                   ${SHIPPED_BIN}/headless_host.exe)

include(cmake/Release.cmake)

# The same plug-in built against a host SDK folder (VANTO_HOST_SDK), here the one the
# Microsoft-ABI build stages from host/ and our host library; its imports must not differ.
set(SDK_BUILT_BIN ${CMAKE_BINARY_DIR}/msabi-sdk/bin)
ExternalProject_Add(shipped_from_sdk
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/msabi-sdk
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/clang-msabi-x86_64.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DVANTO_HOST_SDK=${SHIPPED_BINARY_DIR}/host-sdk
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON
  DEPENDS shipped
  BUILD_BYPRODUCTS ${SDK_BUILT_BIN}/plugins/HollinVanto.dll)
