#pragma once
#include <string>
#include <vector>

// The names of the parameters a shader file declares ("uniform <type> <name>;"), in order.
std::vector<std::string> ParseShaderParameters(const std::string &source);

// The whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const wchar_t *path, std::string &contents);
