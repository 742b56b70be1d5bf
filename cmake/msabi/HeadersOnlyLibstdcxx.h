// Forced into every C++ compile of the Microsoft-ABI build. libstdc++ declares its common
// template instantiations (strings, streams) extern, to be found in its compiled library;
// that library follows the GNU C++ ABI and cannot be linked here, so every template is
// instantiated from the headers instead.
#ifdef __cplusplus
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
#endif
