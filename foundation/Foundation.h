// Umbrella header of the foundation library.
#pragma once

#include "foundation/DravikString.h"
#include "foundation/DravikList.h"
#include "foundation/DravikMap.h"
#include "foundation/DravikOptimizedMap.h"
#include "foundation/ThreadLock.h"
#include "foundation/CommThreadedExecutor.h"
#include "foundation/CommSystemTimer.h"
#include "foundation/TimeUtilities.h"
#include "foundation/PathUtilities.h"
#include "foundation/FileInterface.h"
#include "foundation/VersionInfo.h"
