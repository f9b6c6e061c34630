// Umbrella header of the foundation library.
#pragma once

#include "DravikString.h"
#include "DravikList.h"
#include "DravikMap.h"
#include "DravikOptimizedMap.h"
#include "ThreadLock.h"
#include "CommThreadedExecutor.h"
#include "CommSystemTimer.h"
#include "TimeUtilities.h"
#include "PathUtilities.h"
#include "FileInterface.h"
#include "VersionInfo.h"
