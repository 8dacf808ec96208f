// The printer selection page on the fake spooler: which queues are listed, which
// one is preselected, and what Next records and warns about.
#include <gtest/gtest.h>

#include <QFile>

#include "pages_harness.h"

namespace tlw::test {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

TEST(SelectionPage, ListsOnlyCompatibleDriversInSpoolerOrder) {
  PagesHarness h;
  h.spooler.addPrinter("A-Laser", "HP LaserJet 4000");
  h.spooler.addPrinter("B-Zov", "Zov 5820-K35 4in");
  h.spooler.addPrinter("C-lower", "zov 5820-k35 4in");  // other letter case: not ours
  h.spooler.addPrinter("D-Compact", "Zov5820-K35 06");
  h.spooler.addPrinter("E-Near", "Zov 5820 K35");
  h.shell->show(FormId::Selection);

  EXPECT_EQ(h.listed(), (QStringList{"B-Zov", "D-Compact"}));
  EXPECT_EQ(h.spooler.listPrintersCalls, 1);
  EXPECT_EQ(h.spooler.printerInfoCalls, 0);  // the list alone gives the drivers
  // No default among them: the first entry is selected, as if clicked.
  EXPECT_EQ(h.control<QListWidget>(FormId::Selection, "PrinterList")->currentRow(), 0);
  EXPECT_EQ(h.ctx.printer.SelectedPrinterName, "B-Zov");
}

TEST(SelectionPage, DefaultDestinationIsPreselected) {
  PagesHarness h;
  h.spooler.addPrinter("First", "Zov 5820-K35 4in");
  h.spooler.addPrinter("Laser", "HP LaserJet 4000");
  h.spooler.addPrinter("Second", "Zov 5820-K35 06");
  h.spooler.setDefault("Second");
  h.shell->show(FormId::Selection);

  EXPECT_EQ(h.control<QListWidget>(FormId::Selection, "PrinterList")->currentRow(), 1);
  EXPECT_EQ(h.ctx.printer.SelectedPrinterName, "Second");
  // A click on the other entry changes the selection.
  h.control<QListWidget>(FormId::Selection, "PrinterList")->setCurrentRow(0);
  EXPECT_EQ(h.ctx.printer.SelectedPrinterName, "First");
}

TEST(SelectionPage, TextsAndKeyboard) {
  PagesHarness h;
  WizardForm* page = h.shell->show(FormId::Selection);
  EXPECT_EQ(page->windowTitle(), "Printer Selection");
  EXPECT_EQ(h.control<QLabel>(FormId::Selection, "Label1")->text(), "Printer Selection");
  EXPECT_EQ(h.control<QLabel>(FormId::Selection, "SelectionLabel")->text(),
            "Select a printer to configure");
  EXPECT_EQ(h.control<QLabel>(FormId::Selection, "Label2")->text(),
            "Please select a printer to configure.");
  EXPECT_EQ(h.control<QLabel>(FormId::Selection, "PrtNameLabel")->text(),
            "Note:  If the desired printer is not displayed in this list,  then the driver for "
            "this printer was not properly installed. Please exit this wizard, reinstall the "
            "driver for the printer, and then restart this wizard.");
  EXPECT_EQ(shownText(h.control<QPushButton>(FormId::Selection, "Prev")), "< Back");
  EXPECT_EQ(shownText(h.control<QPushButton>(FormId::Selection, "Cancel")), "Cancel");
  auto* next = h.control<QPushButton>(FormId::Selection, "Next");
  EXPECT_EQ(shownText(next), "Next >");
  EXPECT_TRUE(next->isDefault());
  // Tab goes from the list to Next.
  EXPECT_EQ(nextTabStop(h.control<QWidget>(FormId::Selection, "PrinterList")), next);
  EXPECT_EQ(nextTabStop(next), h.control<QWidget>(FormId::Selection, "Cancel"));
}

TEST(SelectionPage, EmptyListRefusesNext) {
  PagesHarness h;
  h.spooler.addPrinter("Laser", "HP LaserJet 4000");
  h.shell->show(FormId::Selection);
  EXPECT_TRUE(h.listed().isEmpty());
  EXPECT_TRUE(h.ctx.printer.SelectedPrinterName.isEmpty());

  h.click(FormId::Selection, "Next");
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  const MessageBox& box = h.prompts.shown[0];
  EXPECT_EQ(box.text, "No Printer Selected." + kCrLf + "You must select a printer to continue.");
  EXPECT_TRUE(box.title.isEmpty());
  EXPECT_EQ(box.icon, BoxIcon::None);
  EXPECT_EQ(box.buttons, BoxButtons::Ok);
  EXPECT_TRUE(h.visible(FormId::Selection));
  EXPECT_FALSE(h.shell->isLoaded(FormId::LoadDlg));
}

TEST(SelectionPage, ReadyPrinterMovesOnAndRecordsPortDriverAndWidth) {
  PagesHarness h;
  h.ctx.log.setEnabled(true);
  h.ctx.options.DebugMode = kTrue;
  h.spooler.addPrinter("Wide", "Zov 5820-K35 06", "socket://10.1.2.3:9100");
  h.spooler.addPrinter("Narrow", "Zov 5820-K35 4in", "usb://Zov/K35");
  h.spooler.setDefault("Narrow");
  h.shell->show(FormId::Selection);
  h.control<QListWidget>(FormId::Selection, "PrinterList")->setCurrentRow(0);

  h.click(FormId::Selection, "Next");
  EXPECT_TRUE(h.prompts.shown.empty());
  EXPECT_EQ(h.ctx.printer.CurrentPrinter, "Wide");
  EXPECT_EQ(h.ctx.printer.PrinterPortName, "socket://10.1.2.3:9100");
  EXPECT_EQ(h.ctx.printer.PrinterDriverName, "Zov 5820-K35 06");
  EXPECT_EQ(h.ctx.printer.PrintWidthClass, 6);
  EXPECT_TRUE(h.visible(FormId::LoadDlg));
  EXPECT_FALSE(h.visible(FormId::Selection));
  EXPECT_TRUE(h.shell->isLoaded(FormId::Selection));  // hidden, not unloaded

  QFile log(h.folder.filePath("Log.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(log.readAll().contains(" - Selected Printer Name: Wide\r\n"));

  // Back on the selection page the choice is still there.
  h.shell->hide(FormId::LoadDlg);
  h.shell->show(FormId::Selection);
  EXPECT_EQ(h.control<QListWidget>(FormId::Selection, "PrinterList")->currentRow(), 0);
  EXPECT_EQ(h.spooler.listPrintersCalls, 1);
}

TEST(SelectionPage, PausedPrinterIsWarnedAboutAndPassed) {
  PagesHarness h;
  h.spooler.addPrinter("Paused", "Zov 5820-K35 4in", "socket://127.0.0.1:9100", 0x1);
  h.shell->show(FormId::Selection);
  h.prompts.onShow = [&](const MessageBox&) { EXPECT_FALSE(h.shell->isLoaded(FormId::LoadDlg)); };

  h.click(FormId::Selection, "Next");
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].text, "Printer not ready");
  EXPECT_TRUE(h.prompts.shown[0].title.isEmpty());
  EXPECT_EQ(h.prompts.shown[0].icon, BoxIcon::None);
  EXPECT_TRUE(h.visible(FormId::LoadDlg));
  EXPECT_EQ(h.ctx.printer.PrinterDriverName, "Zov 5820-K35 4in");
  EXPECT_EQ(h.ctx.printer.PrintWidthClass, 4);
}

TEST(SelectionPage, UnreadablePrinterCountsAsNotReady) {
  PagesHarness h;
  h.spooler.addPrinter("Gone", "Zov 5820-K35 4in");
  h.shell->show(FormId::Selection);
  h.spooler.failPrinterInfo = true;

  h.click(FormId::Selection, "Next");
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].text, "Printer not ready");
  EXPECT_TRUE(h.visible(FormId::LoadDlg));
}

TEST(SelectionPage, CancelAsksBeforeLeaving) {
  PagesHarness h;
  h.spooler.addPrinter("Labels", "Zov 5820-K35 4in");
  h.shell->show(FormId::Selection);
  h.prompts.answers = {BoxAnswer::No};
  h.click(FormId::Selection, "Cancel");
  EXPECT_EQ(h.boxTitles(), QStringList{"Caution Exiting Wizard"});
  EXPECT_TRUE(h.visible(FormId::Selection));
  EXPECT_EQ(h.programEnded, 0);

  h.prompts.answers = {BoxAnswer::Yes};
  h.click(FormId::Selection, "Cancel");
  EXPECT_EQ(h.programEnded, 1);
  EXPECT_TRUE(h.shell->loadedForms().empty());
}

}  // namespace
}  // namespace tlw::test
