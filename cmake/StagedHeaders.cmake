# Header-only libraries come from Debian's packages. The Linux /usr/include never goes on a
# Windows compile line: only the headers we use are copied into the build tree.
set(STAGED_INCLUDE ${CMAKE_BINARY_DIR}/staged/include)
file(MAKE_DIRECTORY ${STAGED_INCLUDE}/stb)
if(NOT EXISTS /usr/include/nlohmann/json.hpp OR NOT EXISTS /usr/include/stb/stb_image_write.h)
  message(FATAL_ERROR "nlohmann-json3-dev and libstb-dev are needed (scripts/setup.sh installs them)")
endif()
file(COPY /usr/include/nlohmann DESTINATION ${STAGED_INCLUDE})
file(COPY /usr/include/stb/stb_image_write.h /usr/include/stb/stb_image.h DESTINATION ${STAGED_INCLUDE}/stb)
# cpp-httplib as one header (scripts/setup.sh takes it from Debian's source package), for the
# companion; the Microsoft-ABI build has no use for it.
if(NOT VANTO_MSABI)
  set(HTTPLIB_HEADER ${CMAKE_BINARY_DIR}/third_party/httplib/httplib.h)
  if(NOT EXISTS ${HTTPLIB_HEADER})
    message(FATAL_ERROR "${HTTPLIB_HEADER} is missing (scripts/setup.sh fetches it)")
  endif()
  # The companion's server (companion/plauditor/HttpServer.cpp) takes over the library's
  # connection handling: it overrides a private virtual and uses protected fields and detail::
  # functions, none of which a release promises to keep. Another version needs that file
  # checked against its connection handling first.
  set(HTTPLIB_WRITTEN_FOR 0.11.4)
  file(STRINGS ${HTTPLIB_HEADER} HTTPLIB_VERSION_LINE REGEX "^#define CPPHTTPLIB_VERSION \"" LIMIT_COUNT 1)
  string(REGEX REPLACE "^#define CPPHTTPLIB_VERSION \"([^\"]*)\".*" "\\1" HTTPLIB_VERSION "${HTTPLIB_VERSION_LINE}")
  if(NOT HTTPLIB_VERSION)
    set(HTTPLIB_VERSION "of no stated version")
  endif()
  if(NOT HTTPLIB_VERSION STREQUAL HTTPLIB_WRITTEN_FOR)
    message(FATAL_ERROR "cpp-httplib ${HTTPLIB_VERSION} in ${HTTPLIB_HEADER}, but the companion's HTTP server "
            "is written against cpp-httplib ${HTTPLIB_WRITTEN_FOR}: it overrides the library's private "
            "Server::process_and_close_socket and uses its protected fields and detail:: functions. Check "
            "companion/plauditor/HttpServer.cpp against this version, then change HTTPLIB_WRITTEN_FOR in "
            "cmake/StagedHeaders.cmake.")
  endif()
  configure_file(${HTTPLIB_HEADER} ${STAGED_INCLUDE}/httplib.h COPYONLY)
endif()
add_library(staged_headers INTERFACE)
target_include_directories(staged_headers SYSTEM INTERFACE ${STAGED_INCLUDE})
