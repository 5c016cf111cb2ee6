# Writes OUTPUT, a C++ source defining one byte array per file of FILES (absolute paths), named
# kEmbedded_<file name without extension>, in namespace ravelo::resources.
# Run as: cmake -DOUTPUT=... -DFILES="a|b" -P embed_files.cmake
set(text "// Generated from the files in resources/; do not edit.\n#include <cstdint>\n\nnamespace ravelo::resources {\n")
string(REPLACE "|" ";" files "${FILES}")
foreach(path IN LISTS files)
  get_filename_component(name "${path}" NAME_WE)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(APPEND text "extern const uint8_t kEmbedded_${name}[${size}] = {${bytes}};\nextern const unsigned kEmbedded_${name}_size = ${size};\n")
endforeach()
string(APPEND text "}  // namespace ravelo::resources\n")
file(WRITE "${OUTPUT}" "${text}")
