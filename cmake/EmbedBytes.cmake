# Writes a C++ source that holds a file's bytes as a constant array.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=Name -DHEADER=app/x.h -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include \"${HEADER}\"

namespace quillmere {
namespace {
constexpr unsigned char bytes[${byte_count}] = {
    ${bytes}
};
}  // namespace

std::span<const unsigned char> ${SYMBOL}() { return bytes; }

}  // namespace quillmere
")
