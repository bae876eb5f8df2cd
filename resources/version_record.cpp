// The version record, filled by the build from the project version.
#include "resources/version_record.h"

#ifdef SORVANI_FILE_VERSION
const VersionRecord* ProgramVersionRecord() {
  static const VersionRecord record = {SORVANI_FILE_VERSION, SORVANI_SPECIAL_BUILD};
  return &record;
}
#else
const VersionRecord* ProgramVersionRecord() { return nullptr; }
#endif
