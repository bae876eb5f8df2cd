// The program's version record: what a Windows build keeps in its version resource.
#pragma once

struct VersionRecord {
  const char* fileVersion;   // "major,minor,release,build"
  const char* specialBuild;  // empty for a normal build
};

// Null when the program was built without one.
const VersionRecord* ProgramVersionRecord();
