// The shell's run-wide state: window, options and frame pacing, one instance for the process.
#include "app/app_state.h"

AppState appState;

void ResetAppState() { appState = AppState{}; }
