// The resources of the event columns: the channel menus (one per channel
// count; the first popup holds a sub-menu per channel with its three
// commands, the second is never shown: it holds a separator, since a
// compiled popup cannot be empty) and the column glyphs, 16 by 16 pixels in
// the system's 16 colours.
#pragma once

#include "res/resource_ids.h"

#include "platform/resources.h"

#include <array>

namespace event_column_resources {

using platform::MenuEntry;

#define Q3V_CHANNEL_SUBMENU(title, channel)                                          \
    {1, title, 0, MF_POPUP}, {2, "&Add", res_id::kCmdChannelAdd[channel]},            \
        {2, "&Edit ...", res_id::kCmdChannelEdit[channel]},                          \
        {2, "&Remove", res_id::kCmdChannelRemove[channel]}

inline constexpr MenuEntry kMenu2Items[] = {
    {0, "&Column Popup", 0, MF_POPUP},
    Q3V_CHANNEL_SUBMENU("&BC 1", 0),
    Q3V_CHANNEL_SUBMENU("B&C 2", 1),
    {0, "Sub Popup", 0, MF_POPUP},
    {1, nullptr, 0, MF_SEPARATOR},
};

#define Q3V_CHANNEL_MENU(name, ...)                                                                     \
    inline constexpr MenuEntry name[] = {                                                              \
        {0, "&Column Popup", 0, MF_POPUP}, Q3V_CHANNEL_SUBMENU("BC &1", 0), Q3V_CHANNEL_SUBMENU("BC &2", 1), \
        Q3V_CHANNEL_SUBMENU("BC &3", 2), Q3V_CHANNEL_SUBMENU("BC &4", 3) __VA_OPT__(, ) __VA_ARGS__,     \
        {0, "Sub Popup", 0, MF_POPUP}, {1, nullptr, 0, MF_SEPARATOR}};

Q3V_CHANNEL_MENU(kMenu4Items)
Q3V_CHANNEL_MENU(kMenu5Items, Q3V_CHANNEL_SUBMENU("BC &5", 4))
Q3V_CHANNEL_MENU(kMenu6Items, Q3V_CHANNEL_SUBMENU("BC &5", 4), Q3V_CHANNEL_SUBMENU("BC &6", 5))
Q3V_CHANNEL_MENU(kMenu7Items, Q3V_CHANNEL_SUBMENU("BC &5", 4), Q3V_CHANNEL_SUBMENU("BC &6", 5),
                 Q3V_CHANNEL_SUBMENU("BC &7", 6))
Q3V_CHANNEL_MENU(kMenu8Items, Q3V_CHANNEL_SUBMENU("BC &5", 4), Q3V_CHANNEL_SUBMENU("BC &6", 5),
                 Q3V_CHANNEL_SUBMENU("BC &7", 6), Q3V_CHANNEL_SUBMENU("BC &8", 7))

#undef Q3V_CHANNEL_MENU
#undef Q3V_CHANNEL_SUBMENU

inline constexpr platform::MenuResource kMenus[] = {
    {res_id::kChannelMenu2, kMenu2Items},     {res_id::kChannelMenu4, kMenu4Items},
    {res_id::kChannelMenu4Plain, kMenu4Items}, {res_id::kChannelMenu5, kMenu5Items},
    {res_id::kChannelMenu6, kMenu6Items},     {res_id::kChannelMenu7, kMenu7Items},
    {res_id::kChannelMenu8, kMenu8Items},
};

// The glyphs, drawn at compile time: 4 bits per pixel, rows top down.
namespace glyphs {

constexpr int kSize = 16;
constexpr std::size_t kBytes = kSize * kSize / 2;
using Bits = std::array<BYTE, kBytes>;

// The 16-colour palette's indexes used here.
constexpr BYTE kBlack = 0x0, kRed = 0x9, kBlue = 0xC, kWhite = 0xF;

constexpr void Put(Bits& bits, int x, int y, BYTE colour) {
    BYTE& pair = bits[static_cast<std::size_t>(y * kSize + x) / 2];
    pair = x % 2 == 0 ? static_cast<BYTE>((pair & 0x0F) | (colour << 4)) : static_cast<BYTE>((pair & 0xF0) | colour);
}

// Twice the distance from the centre (7.5, 7.5), squared.
constexpr int Distance2(int x, int y) {
    return (2 * x - 15) * (2 * x - 15) + (2 * y - 15) * (2 * y - 15);
}

constexpr Bits Filled(BYTE background) {
    Bits bits{};
    for (BYTE& pair : bits) {
        pair = static_cast<BYTE>(background << 4 | background);
    }
    return bits;
}

// A disc of radius 7 (filled) or its outer two pixels (a ring).
constexpr Bits Disc(BYTE colour, BYTE background, bool ring) {
    Bits bits = Filled(background);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int d = Distance2(x, y);
            if (d <= 14 * 14 && (!ring || d >= 10 * 10)) {
                Put(bits, x, y, colour);
            }
        }
    }
    return bits;
}

// Two letters of 3 by 5 pixels inside a red ring; each letter is five rows
// of three bits.
constexpr Bits Lettered(std::array<BYTE, 5> first, std::array<BYTE, 5> second) {
    Bits bits = Disc(kRed, kWhite, true);
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int bit = 2 - column;
            if ((first[static_cast<std::size_t>(row)] >> bit & 1) != 0) {
                Put(bits, 4 + column, 5 + row, kRed);
            }
            if ((second[static_cast<std::size_t>(row)] >> bit & 1) != 0) {
                Put(bits, 8 + column, 5 + row, kRed);
            }
        }
    }
    return bits;
}

constexpr std::array<BYTE, 5> kPlus{0b000, 0b010, 0b111, 0b010, 0b000};
constexpr std::array<BYTE, 5> kMinus{0b000, 0b000, 0b111, 0b000, 0b000};
constexpr std::array<BYTE, 5> kT{0b111, 0b010, 0b010, 0b010, 0b010};
constexpr std::array<BYTE, 5> kR{0b000, 0b110, 0b100, 0b100, 0b100};
constexpr std::array<BYTE, 5> kP{0b110, 0b101, 0b110, 0b100, 0b100};

inline constexpr Bits kEnabled = Disc(kBlue, kWhite, false);
inline constexpr Bits kMask = Disc(kBlack, kWhite, false);
inline constexpr Bits kDisabled = Disc(kBlue, kWhite, true);
inline constexpr Bits kPlusT = Lettered(kPlus, kT);
inline constexpr Bits kMinusT = Lettered(kMinus, kT);
inline constexpr Bits kTr = Lettered(kT, kR);
inline constexpr Bits kPlusP = Lettered(kPlus, kP);
inline constexpr Bits kMinusP = Lettered(kMinus, kP);
inline constexpr Bits kRedDisc = Disc(kRed, kWhite, false);

}  // namespace glyphs

#define Q3V_GLYPH(id, bits) platform::BitmapResource{id, glyphs::kSize, glyphs::kSize, 4, bits}
inline constexpr platform::BitmapResource kBitmaps[] = {
    Q3V_GLYPH(res_id::kGlyphEnabled, glyphs::kEnabled),  Q3V_GLYPH(res_id::kGlyphMask, glyphs::kMask),
    Q3V_GLYPH(res_id::kGlyphPlusT, glyphs::kPlusT),      Q3V_GLYPH(res_id::kGlyphMinusT, glyphs::kMinusT),
    Q3V_GLYPH(res_id::kGlyphTr, glyphs::kTr),            Q3V_GLYPH(res_id::kGlyphPlusP, glyphs::kPlusP),
    Q3V_GLYPH(res_id::kGlyphMinusP, glyphs::kMinusP),    Q3V_GLYPH(res_id::kGlyphRedDisc, glyphs::kRedDisc),
    Q3V_GLYPH(res_id::kGlyphDisabled, glyphs::kDisabled),
};
#undef Q3V_GLYPH

}  // namespace event_column_resources
