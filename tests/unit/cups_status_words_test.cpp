// How CUPS printer and job states become the status words the reports read.
#include <gtest/gtest.h>

#include "platform/adapters/cups_spooler.h"

namespace tlw {
namespace {

std::uint32_t printerWord(int state, std::vector<QByteArray> reasons = {}) {
  return CupsSpooler::printerStatusWord(state, reasons);
}

TEST(CupsStatusWords, PrinterStatesAndReasons) {
  EXPECT_EQ(printerWord(3), 0u);
  EXPECT_EQ(printerWord(3, {"none"}), 0u);
  EXPECT_EQ(printerWord(4), 0x400u);
  EXPECT_EQ(printerWord(5), 0x1u);
  EXPECT_EQ(printerWord(5, {"paused"}), 0x1u);
  EXPECT_EQ(printerWord(3, {"paused"}), 0x1u);
  EXPECT_EQ(printerWord(3, {"media-empty-error"}), 0x10u);
  EXPECT_EQ(printerWord(3, {"media-needed"}), 0x10u);
  EXPECT_EQ(printerWord(3, {"media-jam-error"}), 0x8u);
  EXPECT_EQ(printerWord(3, {"door-open"}), 0x400000u);
  EXPECT_EQ(printerWord(3, {"cover-open-warning"}), 0x400000u);
  EXPECT_EQ(printerWord(3, {"offline-report"}), 0x80u);
  EXPECT_EQ(printerWord(3, {"toner-low-report"}), 0x20000u);
  EXPECT_EQ(printerWord(3, {"marker-supply-low-warning"}), 0x20000u);
  EXPECT_EQ(printerWord(3, {"toner-empty-error"}), 0x40000u);
  EXPECT_EQ(printerWord(3, {"marker-supply-empty"}), 0x40000u);
  EXPECT_EQ(printerWord(3, {"output-area-full"}), 0x800u);
  // Reasons the table does not name: errors read as Printer Error, others as nothing.
  EXPECT_EQ(printerWord(3, {"fuser-over-temp-error"}), 0x2u);
  EXPECT_EQ(printerWord(3, {"connecting-to-device", "cups-waiting-for-job-completed"}), 0u);
  EXPECT_EQ(printerWord(3, {"media-low-warning"}), 0u);
  // Several at once, and a processing printer out of paper.
  EXPECT_EQ(printerWord(4, {"media-empty-error", "door-open-report", "other-error"}),
            0x400u | 0x10u | 0x400000u | 0x2u);
}

TEST(CupsStatusWords, JobStates) {
  EXPECT_EQ(CupsSpooler::jobStatusWord(3, {"none"}), 0u);          // pending
  EXPECT_EQ(CupsSpooler::jobStatusWord(3, {"job-incoming"}), 0x8u);
  EXPECT_EQ(CupsSpooler::jobStatusWord(4, {"job-hold-until-specified"}), 0x1u);
  EXPECT_EQ(CupsSpooler::jobStatusWord(5, {"job-printing"}), 0x10u);
  EXPECT_EQ(CupsSpooler::jobStatusWord(6, {}), 0x2u);
  // Finished states carry bits without text ("Unknown Status of ...").
  EXPECT_EQ(CupsSpooler::jobStatusWord(7, {}), 0x4u);
  EXPECT_EQ(CupsSpooler::jobStatusWord(8, {}), 0x100u);
  EXPECT_EQ(CupsSpooler::jobStatusWord(9, {}), 0x80u);
}

}  // namespace
}  // namespace tlw
