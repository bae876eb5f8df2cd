// The run log "sorvani.log": one time-stamped Shift-JIS line per event while the level is on.
#pragma once

// Appends one line and returns the text it was given, so a caller can log a message and pass
// it on in one step. A null text is logged as "(null)".
const char* WriteDebugLog(const char* text);

// Forgets that this run's log was started, so the next line truncates the file again.
void ResetDebugLog();

// This copy adds its lines to a log another copy started: no new file and no banner.
void ContinueDebugLog();
