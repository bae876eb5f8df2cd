# Writes resource_data.cpp: each PNG as a byte array, looked up by resource id.
function(embed variable path)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()
embed(icon ${ICON})
embed(launcher ${LAUNCHER})
file(WRITE ${OUTPUT} "// Generated from resources/*.png by embed_resources.cmake; do not edit.
#include \"resource_data.h\"

namespace {
const unsigned char kIcon[] = {
${icon}};
const unsigned char kLauncher[] = {
${launcher}};
}  // namespace

BinaryResource FindBinaryResource(int id) {
  if (id == kIconResourceId) return {kIcon, sizeof kIcon};
  if (id == kLauncherBitmapId) return {kLauncher, sizeof kLauncher};
  return {nullptr, 0};
}
")
