#include "pages/selection.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/settings.h"
#include "delivery/status_reader.h"
#include "pages/page_parts.h"
#include "platform/prompts.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void plainBox(AppContext& ctx, const QString& text) {
  if (!ctx.services.prompts) return;
  MessageBox box;  // empty title: the application's own
  box.text = text;
  box.icon = BoxIcon::None;
  box.buttons = BoxButtons::Ok;
  ctx.services.prompts->show(box);
}

}  // namespace

Selection::Selection(WizardShell& shell) : WizardForm(shell, FormId::Selection) {
  setWindowTitle(QStringLiteral("Printer Selection"));

  Label1 = pageparts::heading(this, "Label1", QStringLiteral("Printer Selection"));
  SelectionLabel = pageparts::label(this, "SelectionLabel", QStringLiteral("Select a printer to configure"));
  Label2 = pageparts::label(this, "Label2", QStringLiteral("Please select a printer to configure."));

  PrinterList = new QListWidget(this);
  PrinterList->setObjectName(QStringLiteral("PrinterList"));
  PrinterList->setSelectionMode(QAbstractItemView::SingleSelection);
  Label2->setBuddy(PrinterList);

  PrtNameLabel = pageparts::label(
      this, "PrtNameLabel",
      QStringLiteral("Note:  If the desired printer is not displayed in this list,  then the "
                     "driver for this printer was not properly installed. Please exit this "
                     "wizard, reinstall the driver for the printer, and then restart this wizard."),
      true);

  Line1 = pageparts::line(this, "Line1");
  Line2 = pageparts::line(this, "Line2");
  Line3 = pageparts::line(this, "Line3");
  Line4 = pageparts::line(this, "Line4");

  Prev = pageparts::button(this, "Prev", QStringLiteral("< &Back"));
  Next = pageparts::button(this, "Next", QStringLiteral("&Next >"));
  Cancel = pageparts::button(this, "Cancel", QStringLiteral("&Cancel"));
  Next->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(SelectionLabel);
  layout->addWidget(Line1);
  layout->addWidget(Label2);
  layout->addWidget(PrinterList, 1);
  layout->addWidget(Line2);
  layout->addWidget(PrtNameLabel);
  layout->addWidget(Line3);
  layout->addWidget(Line4);
  layout->addLayout(pageparts::navigationRow(Prev, Next, Cancel));
  resize(520, 400);

  setTabOrder(PrinterList, Next);
  setTabOrder(Next, Cancel);
  setTabOrder(Cancel, Prev);
  PrinterList->setFocus();

  // Any change of the selected entry counts as a click, also a selection by program.
  connect(PrinterList, &QListWidget::currentRowChanged, this, [this] { PrinterList_Click(); });
  connect(Prev, &QPushButton::clicked, this, [this] { Prev_Click(); });
  connect(Next, &QPushButton::clicked, this, [this] { Next_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

void Selection::formLoad() { FillPrinterList(); }

void Selection::FillPrinterList() {
  AppContext& c = ctx();
  PrinterList->clear();
  installed_.clear();
  if (!c.services.spooler) return;

  QString noted = c.printer.CurrentPrinter;
  if (noted.isEmpty()) noted = c.services.spooler->defaultPrinter();

  installed_ = c.services.spooler->listPrinters();
  int remembered = 0;
  int appended = 0;
  for (const PrinterEntry& printer : installed_) {
    if (!IsZovModelDriver(printer.driverName)) continue;
    PrinterList->addItem(printer.name);
    if (printer.name == noted) remembered = appended;
    ++appended;
  }
  if (appended > 0) {
    PrinterList->setCurrentRow(remembered);
    PrinterList_Click();
  }
}

void Selection::PrinterList_Click() {
  if (QListWidgetItem* item = PrinterList->currentItem()) ctx().printer.SelectedPrinterName = item->text();
}

void Selection::Next_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();

  for (const PrinterEntry& printer : installed_) {
    if (printer.name == c.printer.SelectedPrinterName) {
      c.printer.CurrentPrinter = printer.name;
      break;
    }
  }
  QString printerReport, jobReport;
  CheckPrinter(c, printerReport, jobReport);
  const QString status =
      getPrinterStatus(c, printerReport, c.printer.PrinterPortName, c.printer.PrinterDriverName);
  c.printer.PrintWidthClass =
      WidthClassFromDriverName(c.printer.PrinterDriverName, c.printer.PrintWidthClass);

  if (c.printer.SelectedPrinterName.isEmpty()) {
    plainBox(c, QStringLiteral("No Printer Selected.") + kCrLf +
                    QStringLiteral("You must select a printer to continue."));
    return;
  }
  if (status != QLatin1String("Ready")) {
    plainBox(c, QStringLiteral("Printer not ready"));
    if (c.exitStarted) return;
  }
  c.log.write(QStringLiteral("Selected Printer Name: ") + c.printer.SelectedPrinterName);
  shell().show(FormId::LoadDlg);
  hide();
}

void Selection::Prev_Click() {
  WizardShell::Busy busy(shell());
  shell().show(FormId::ZovIntro);
  hide();
}

void Selection::Cancel_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

}  // namespace tlw
