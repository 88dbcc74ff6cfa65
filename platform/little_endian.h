#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Bounds-checked little-endian reads from a byte range. Every read outside the range gives
// std::nullopt instead of touching memory past its end.
namespace quillmere {

using Bytes = std::span<const std::uint8_t>;

inline bool Fits(Bytes bytes, std::uint64_t offset, std::uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline std::optional<std::uint8_t> ReadU8(Bytes bytes, std::uint64_t offset) {
    if (!Fits(bytes, offset, 1))
        return std::nullopt;
    return bytes[offset];
}

inline std::optional<std::uint16_t> ReadU16(Bytes bytes, std::uint64_t offset) {
    if (!Fits(bytes, offset, 2))
        return std::nullopt;
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::optional<std::uint32_t> ReadU32(Bytes bytes, std::uint64_t offset) {
    if (!Fits(bytes, offset, 4))
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[offset + i];
    return value;
}

inline std::optional<std::int32_t> ReadI32(Bytes bytes, std::uint64_t offset) {
    const auto value = ReadU32(bytes, offset);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

// A sub-range, or std::nullopt when it does not lie wholly inside the range.
inline std::optional<Bytes> Slice(Bytes bytes, std::uint64_t offset, std::uint64_t length) {
    if (!Fits(bytes, offset, length))
        return std::nullopt;
    return bytes.subspan(offset, length);
}

// Little-endian writes at the end of a growing file image.
inline void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}

}  // namespace quillmere
