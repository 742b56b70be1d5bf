#pragma once
// Everything a plug-in may use of the host API library.
#include "HostExport.h"
#include "HostMath.h"
#include "HostMemory.h"
#include "HostString.h"
#include "HostConfig.h"
#include "HostServices.h"
#include "HostGraphics.h"
#include "HostSource.h"
