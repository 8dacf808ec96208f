#pragma once
#include <vector>

#include "pages/wizard_shell.h"
#include "platform/spooler.h"

class QLabel;
class QListWidget;
class QPushButton;
class QFrame;

namespace tlw {

// The printer selection page: the installed queues whose driver belongs to the
// model family, the chosen one's port, driver and width class.
class Selection : public WizardForm {
  Q_OBJECT
 public:
  explicit Selection(WizardShell& shell);

  void formLoad() override;

  void PrinterList_Click();
  void Next_Click();
  void Prev_Click();
  void Cancel_Click();

 private:
  // Lists the compatible queues and selects the current printer's entry (at first
  // the default destination), else the first.
  void FillPrinterList();

  std::vector<PrinterEntry> installed_;  // every queue as listed at load

  QLabel* Label1 = nullptr;
  QLabel* SelectionLabel = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* PrinterList = nullptr;
  QLabel* PrtNameLabel = nullptr;
  QPushButton* Prev = nullptr;
  QPushButton* Next = nullptr;
  QPushButton* Cancel = nullptr;
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;
  QFrame* Line3 = nullptr;
  QFrame* Line4 = nullptr;
};

}  // namespace tlw
