#pragma once

namespace tlw {

// The wizard's own title: message boxes without a title of their own show it.
inline constexpr char AppTitle[] = "Tenlark Printer Setup Wizard";

}  // namespace tlw
