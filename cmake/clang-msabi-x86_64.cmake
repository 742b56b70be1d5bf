# Cross-compile the binaries we ship (the plug-in, the host library, the headless host) as
# 64-bit Windows PE files that follow the Microsoft C++ ABI, as the real host's own
# OBSApi.dll does: MSVC name decoration, one deleting-destructor vtable slot, class results
# through a hidden pointer. Compiler and linker are LLVM 14 (Debian 12's); the C runtime is
# mingw-w64's (msvcrt.dll) and the C++ library is libstdc++ used from its headers only:
# runtime/ supplies the few pieces those headers expect to find compiled.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTO_LLVM_VERSION 14)
set(CMAKE_C_COMPILER clang-${VANTO_LLVM_VERSION})
set(CMAKE_CXX_COMPILER clang++-${VANTO_LLVM_VERSION})
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER lld-link-${VANTO_LLVM_VERSION})
set(CMAKE_AR llvm-ar-${VANTO_LLVM_VERSION})
set(CMAKE_RANLIB llvm-ranlib-${VANTO_LLVM_VERSION})
set(CMAKE_RC_COMPILER llvm-rc-${VANTO_LLVM_VERSION})
set(VANTO_DLLTOOL llvm-dlltool-${VANTO_LLVM_VERSION})

set(MINGW_ROOT /usr/x86_64-w64-mingw32)
set(MINGW_GCC_LIB /usr/lib/gcc/x86_64-w64-mingw32/12-posix)
set(LIBSTDCXX_INCLUDE ${MINGW_GCC_LIB}/include/c++)

# Headers: mingw-w64's Windows and C headers, libstdc++'s C++ headers. clang needs to look
# like a GNU compiler to them; __declspec stays the compiler's keyword (mingw would redefine
# it as an attribute otherwise).
set(MSABI_COMPILE_FLAGS
    "-fgnuc-version=4.2.1 -D__declspec=__declspec -nostdinc++ \
-include ${CMAKE_CURRENT_LIST_DIR}/msabi/HeadersOnlyLibstdcxx.h \
-isystem ${LIBSTDCXX_INCLUDE} -isystem ${LIBSTDCXX_INCLUDE}/x86_64-w64-mingw32 \
-isystem /usr/share/mingw-w64/include")
set(CMAKE_C_FLAGS_INIT "-fgnuc-version=4.2.1 -D__declspec=__declspec -isystem /usr/share/mingw-w64/include")
set(CMAKE_CXX_FLAGS_INIT "${MSABI_COMPILE_FLAGS}")
# No MSVC runtime library is named in the objects: the link line says what is linked.
set(CMAKE_MSVC_RUNTIME_LIBRARY "")

# Linking calls lld-link directly (cmake/msabi/LinkRules.cmake) with mingw-w64's start-up
# objects and libraries.
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/msabi/LinkRules.cmake)

set(CMAKE_FIND_ROOT_PATH ${MINGW_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
