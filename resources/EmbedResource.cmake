# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedResource.cmake
# Writes a C++ source that holds INPUT's bytes as orvane_resources::<SYMBOL>Data
# and its length as orvane_resources::<SYMBOL>Size.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
set(text "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\nnamespace orvane_resources {\n")
string(APPEND text "extern const unsigned char ${SYMBOL}Data[];\nextern const std::size_t ${SYMBOL}Size;\n")
# The trailing 0 keeps the array valid for an empty resource; it is not counted.
string(APPEND text "const unsigned char ${SYMBOL}Data[] = {${bytes}0};\n")
string(APPEND text "const std::size_t ${SYMBOL}Size = ${size};\n}\n")
file(WRITE "${OUTPUT}.tmp" "${text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
