#pragma once
#include "host/OBSApi.h"

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hex: the only form of identifier
// text this plug-in makes.
String GuidToString(const GUID &guid);

// An identifier setting counts as missing when it is null or of length 0.
bool IsEmptyIdentifier(const String &value);

// The identifier stored under key on element, made (from a fresh GUID) and stored when it is
// missing. A stored value is used as it is, whatever its form. A null element gives an empty
// string and stores nothing.
String EnsureGuidSetting(XElement *element, CTSTR key);

// The element two levels above a source's data element, where the scene identifier lives;
// null when the data element has no grandparent.
XElement *SceneElementOf(XElement *data);
