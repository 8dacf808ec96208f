#include "pages/load_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/settings.h"
#include "pages/operation.h"
#include "pages/page_parts.h"

namespace tlw {

using namespace pageparts;

LoadDlg::LoadDlg(WizardShell& shell) : WizardForm(shell, FormId::LoadDlg) {
  setWindowTitle(QStringLiteral("Load Wizard Settings"));

  Title = heading(this, "Title", QStringLiteral("Load Wizard Settings"));
  Instruction = label(this, "Instruction",
                      QStringLiteral("Please specify if you would like to retrieve the wizard "
                                     "settings you made in a previous session or start new."),
                      true);
  StartNew = new QRadioButton(QStringLiteral("Start New"), this);
  StartNew->setObjectName(QStringLiteral("StartNew"));
  StartNewText = label(this, "StartNewText", QStringLiteral("Use the default settings."), true);
  Load = new QRadioButton(QStringLiteral("Load Previously Saved Wizard Settings"), this);
  Load->setObjectName(QStringLiteral("Load"));
  LoadText = label(this, "LoadText",
                   QStringLiteral("Use the wizard settings you previously saved to a file."), true);
  StartNew->setChecked(true);
  Prev = button(this, "Prev", QStringLiteral("< &Back"));
  Next = button(this, "Next", QStringLiteral("&Next >"));
  Cancel = button(this, "Cancel", QStringLiteral("&Cancel"));
  Next->setDefault(true);

  auto* options = new QGridLayout;
  options->setColumnMinimumWidth(0, 24);
  options->addWidget(StartNew, 0, 0, 1, 2);
  options->addWidget(StartNewText, 1, 1);
  options->setRowMinimumHeight(2, 12);
  options->addWidget(Load, 3, 0, 1, 2);
  options->addWidget(LoadText, 4, 1);
  options->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(Instruction);
  layout->addSpacing(12);
  layout->addLayout(options);
  layout->addStretch(1);
  layout->addWidget(line(this, "Line2"));
  layout->addLayout(navigationRow(Prev, Next, Cancel));
  resize(520, 340);

  connect(Prev, &QPushButton::clicked, this, [this] { Prev_Click(); });
  connect(Next, &QPushButton::clicked, this, [this] { Next_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

void LoadDlg::Next_Click() {
  WizardShell::Busy busy(shell());
  AppContext& c = ctx();
  if (StartNew->isChecked()) {
    // Both settings pages go, with every choice and custom size made so far.
    shell().unload(FormId::Operation);
    shell().unload(FormId::PrinterSetup);
    if (c.settings) c.settings->resetToDefaults();
    shell().show(FormId::Operation);
  } else {
    if (auto* page = shell().get<Operation>(FormId::Operation)) page->Load_Click();
  }
  hide();
}

void LoadDlg::Prev_Click() {
  WizardShell::Busy busy(shell());
  shell().show(FormId::Selection);
  hide();
}

void LoadDlg::Cancel_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

}  // namespace tlw
