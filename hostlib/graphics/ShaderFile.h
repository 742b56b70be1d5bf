#pragma once
#include <string>
#include <vector>

// The names of the parameters a shader file declares ("uniform <type> <name>;"), in order.
std::vector<std::string> ParseShaderParameters(const std::string &source);
