// ScanValues: the plug-in's reader of values from settings texts, in the
// manner of the C library's formatted input ("%x", "%8x %2x %2x", "%d %d").
//
// Differences from the C library that callers rely on: no conversion skips
// white space by itself (a blank in the format does that); 'd' takes an
// optional '-' but no '+'; 'x' takes no "0x" prefix; every integer is stored
// as 32 bits ('l' and 'L' change nothing); a suppressed conversion ("%*d") is
// counted. The answer is the number of conversions carried out.
//
// The destinations are typed: a pointer to a 32-bit integer for 'd', 'u' and
// 'x'; a character array (its size taken from its type) or a ScanText for 's'
// and '['; either of those or a pointer to one char for 'c'. A text never
// takes more than its destination holds with the NUL (the destination's size
// bounds the width), and a destination of the wrong kind, or a missing one,
// ends the scan as a mismatch would.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

// A text destination given by pointer and size.
struct ScanText {
    char* buffer;
    std::size_t size;
};

namespace scan_detail {

struct Destination {
    enum class Kind { Integer, Char, Text };
    Kind kind = Kind::Integer;
    void* where = nullptr;
    std::size_t size = 0;
};

template <typename Arg>
Destination MakeDestination(Arg&& argument) {
    using Type = std::remove_cvref_t<Arg>;
    if constexpr (std::is_array_v<Type>) {
        static_assert(std::is_same_v<std::remove_extent_t<Type>, char>, "text destinations are char arrays");
        return {Destination::Kind::Text, argument, std::extent_v<Type>};
    } else if constexpr (std::is_same_v<Type, ScanText>) {
        return {Destination::Kind::Text, argument.buffer, argument.buffer != nullptr ? argument.size : 0};
    } else {
        static_assert(std::is_pointer_v<Type>, "destinations are pointers, char arrays or ScanText");
        using Target = std::remove_pointer_t<Type>;
        static_assert(!std::is_const_v<Target>, "destinations are written");
        if constexpr (std::is_same_v<Target, char> || std::is_same_v<Target, unsigned char> ||
                      std::is_same_v<Target, signed char>) {
            return {Destination::Kind::Char, argument, 1};
        } else {
            static_assert(std::is_integral_v<Target> && sizeof(Target) == 4, "integer conversions store 32 bits");
            return {Destination::Kind::Integer, argument, sizeof(Target)};
        }
    }
}

int Scan(const char* text, const char* format, std::span<const Destination> destinations);

}  // namespace scan_detail

template <typename... Destinations>
int ScanValues(const char* text, const char* format, Destinations&&... destinations) {
    const std::array<scan_detail::Destination, sizeof...(Destinations)> list = {
        scan_detail::MakeDestination(destinations)...};
    return scan_detail::Scan(text, format, list);
}
