// Storage of the Activity state.
#include "core/ActivityState.h"

static_assert(sizeof(std::atomic<int32_t>) == 4, "the Activity state is one 32-bit integer");

std::atomic<int32_t> gActivityState{Idle};
