#pragma once

namespace tlw::test {
// Makes sure a QApplication exists (offscreen in tests); safe to call many times.
void ensureApp();
}  // namespace tlw::test
