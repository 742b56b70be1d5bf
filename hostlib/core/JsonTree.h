#pragma once
// Mapping between a configuration element and a JSON object: child elements are nested
// objects, integers stay integers, floats stay floats, strings are UTF-8, order is kept.
#include "host/HostConfig.h"

#include <string>

// The element (with its children) as JSON text; false with a reason when it cannot be
// represented (a value and a child element sharing a name).
bool WriteElementJson(const XElement &element, std::string &json, std::wstring &error);

// Fills an empty element from JSON text; false with a one-line reason when the text is
// not JSON or holds something an element cannot (arrays, null, a non-object top level).
bool ReadElementJson(std::string_view json, XElement &element, std::wstring &error);
