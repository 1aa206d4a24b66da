#pragma once

// Public interface of the deferred-destruction runtime shared by the host
// application and the orbQuick plugin.
#include "GarbageCollection.h"
#include "Irefcounted.h"
#include "Thread.h"
#include "WeakHandle.h"
#include "ref_ptr.h"
#include "refcounted.h"
