// Keys as the window system numbers them (its virtual-key codes), for the
// dialog's key hook. Backends translate their own key codes into these.
#pragma once

namespace vf::ui::vk {

inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
// Letters and digits are their upper-case ASCII codes.
inline constexpr int kF1 = 0x70;
inline constexpr int kF3 = 0x72;
inline constexpr int kF4 = 0x73;
inline constexpr int kF5 = 0x74;

// The modifier keys held with a key, as flags.
inline constexpr unsigned kModShift = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModAlt = 4;

}  // namespace vf::ui::vk
