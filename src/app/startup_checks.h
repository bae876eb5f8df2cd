// The start-up steps that look at the program itself and the machine: its directory, its
// integrity and the system report in the run log.
#pragma once

// The executable's directory becomes the working directory, so data, log and screenshots are
// found beside the program. Left unchanged when the path cannot be read.
void EnterProgramDirectory();
// True when the executable is intact; records "LastNormalBoot" when it is.
bool CheckProgramIntegrity();
// Operating-system and memory lines between two "-----" lines.
void LogSystemFacts();
// The hardware report, or the line saying it could not be made.
void LogHardwareReport();
