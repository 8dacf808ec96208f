#pragma once
#include <cstdint>

namespace tlw {

// Program-wide flags are 16-bit values: -1 is true and 0 is false. They are kept
// in this form because the settings file and the flag table use these values.
using Flag = std::int16_t;
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;

inline constexpr Flag toFlag(bool b) { return b ? kTrue : kFalse; }
inline constexpr bool isSet(Flag f) { return f != kFalse; }

}  // namespace tlw
