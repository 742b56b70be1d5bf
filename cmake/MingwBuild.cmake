# The mingw-w64 build (preset windows, build/): the unit test programs (GoogleTest), the
# companion, the tools and the benchmark. It configures and builds the Microsoft-ABI build
# (build/msabi) and the host SDK build (build/msabi-sdk) inside itself, with every build.

# No mingw runtime DLL at run time: libgcc, libstdc++ and winpthreads go inside each binary.
add_link_options(-static -static-libgcc -static-libstdc++)
include(cmake/GoogleTest.cmake)

enable_testing()

add_subdirectory(win)
add_subdirectory(hostlib)
add_subdirectory(link)
add_subdirectory(source)
add_subdirectory(plugin)
add_subdirectory(headless)
add_subdirectory(companion)

include(ExternalProject)
set(SHIPPED_BINARY_DIR ${CMAKE_BINARY_DIR}/msabi)
set(SHIPPED_BIN ${SHIPPED_BINARY_DIR}/bin)
ExternalProject_Add(shipped
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${SHIPPED_BINARY_DIR}
  CMAKE_GENERATOR Ninja
  # The soak's runner starts this build's producer, named relative to its own folder.
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/clang-msabi-x86_64.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DVANTO_SOAK_PRODUCER:STRING=../../bin/soak_producer.exe
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON
  BUILD_BYPRODUCTS ${SHIPPED_BIN}/plugins/HollinVanto.dll ${SHIPPED_BIN}/OBSApi.dll
                   ${SHIPPED_BIN}/headless_host.exe)

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

include(cmake/Release.cmake)
add_subdirectory(tests)
add_subdirectory(bench)
