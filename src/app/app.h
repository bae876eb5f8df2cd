// What the shell offers the other subsystems: its run-wide state and the run log.
#pragma once

#include "app/app_state.h"
#include "app/debug_log.h"
