# Link rules of the Microsoft-ABI build: lld-link in its MinGW mode, so that mingw-w64's
# start-up code and static libraries link with objects of the Microsoft C++ ABI. Nothing is
# linked by default but what is named here or by the target: libraries are passed as
# /defaultlib:name.lib, which lld-link in MinGW mode finds as libname.a, and which a
# library named by the compiler (MSVC's libcmt) is not.
set(MSABI_LINK_FLAGS
    "-lldmingw /nologo /errorlimit:0 /opt:ref \
/alternatename:__image_base__=__ImageBase /alternatename:__chkstk=___chkstk_ms \
/libpath:${MINGW_ROOT}/lib /libpath:${MINGW_GCC_LIB}")

set(CMAKE_CXX_CREATE_SHARED_LIBRARY
    "<CMAKE_LINKER> ${MSABI_LINK_FLAGS} /dll /entry:DllMainCRTStartup <LINK_FLAGS> /out:<TARGET> /implib:<TARGET_IMPLIB> ${MINGW_ROOT}/lib/dllcrt2.o <OBJECTS> <LINK_LIBRARIES>")
set(CMAKE_CXX_CREATE_SHARED_MODULE ${CMAKE_CXX_CREATE_SHARED_LIBRARY})
set(CMAKE_CXX_LINK_EXECUTABLE
    "<CMAKE_LINKER> ${MSABI_LINK_FLAGS} <LINK_FLAGS> /out:<TARGET> ${MINGW_ROOT}/lib/crt2.o <OBJECTS> <LINK_LIBRARIES>")
set(CMAKE_C_CREATE_SHARED_LIBRARY ${CMAKE_CXX_CREATE_SHARED_LIBRARY})
set(CMAKE_C_LINK_EXECUTABLE ${CMAKE_CXX_LINK_EXECUTABLE})
foreach(lang C CXX)
  set(CMAKE_${lang}_CREATE_CONSOLE_EXE "/subsystem:console /entry:mainCRTStartup")
  set(CMAKE_${lang}_CREATE_WIN32_EXE "/subsystem:windows /entry:WinMainCRTStartup")
endforeach()

# mingw-w64's C runtime over msvcrt.dll and its helpers, libgcc for the stack probe, and the
# system import libraries every program needs.
set(_msabi_system_libraries "")
foreach(library mingw32 mingwex msvcrt gcc kernel32 user32 advapi32 ntdll)
  string(APPEND _msabi_system_libraries " /defaultlib:${library}.lib")
endforeach()
set(CMAKE_CXX_STANDARD_LIBRARIES_INIT "${_msabi_system_libraries}")
set(CMAKE_C_STANDARD_LIBRARIES_INIT "${_msabi_system_libraries}")

set(CMAKE_LINK_LIBRARY_FLAG "/defaultlib:")
set(CMAKE_LINK_LIBRARY_SUFFIX ".lib")
set(CMAKE_LIBRARY_PATH_FLAG "/libpath:")
set(CMAKE_IMPORT_LIBRARY_SUFFIX ".lib")
set(CMAKE_STATIC_LIBRARY_SUFFIX ".lib")
set(CMAKE_STATIC_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")

# $<LINK_LIBRARY:WHOLE_ARCHIVE,lib> as lld-link spells it.
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE "/wholearchive:<LIBRARY>")
set(CMAKE_CXX_LINK_LIBRARY_USING_WHOLE_ARCHIVE_SUPPORTED TRUE)
