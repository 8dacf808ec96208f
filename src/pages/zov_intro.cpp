#include "pages/zov_intro.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "core/boxes.h"
#include "core/context.h"
#include "core/exit.h"
#include "core/run_program.h"
#include "pages/page_parts.h"
#include "platform/process_launcher.h"
#include "platform/prompts.h"

namespace tlw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// The driver setup may take as long as it likes; past this it only counts as late.
constexpr qint64 kDriverSetupLimitMs = 2000000000;

}  // namespace

ZovIntro::ZovIntro(WizardShell& shell, FormId id) : WizardForm(shell, id) {
  setWindowTitle(QStringLiteral("Welcome"));

  Logo = new QLabel(this);
  Logo->setObjectName(QStringLiteral("Logo"));
  Logo->setPixmap(QPixmap(maker() ? QStringLiteral(":/tenlark/images/varelle_logo.png")
                                  : QStringLiteral(":/tenlark/images/zov_logo.png")));
  Logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  Label1 = new QLabel(maker() ? QStringLiteral("Welcome to the Varelle Tenlark")
                              : QStringLiteral("Welcome to the Zov Tenlark"),
                      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont heading = Label1->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.5);
  Label1->setFont(heading);

  Label3 = new QLabel(
      QStringLiteral("This wizard will guide you through the process of configuring the basic "
                     "settings of your printer. Please refer to the user manual for assistance "
                     "in configuring the other printer settings."),
      this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setWordWrap(true);

  Label4 = new QLabel(
      maker() ? QStringLiteral("For full control over printers on your network, we recommend "
                               "Varelle NetDirector, the network management program for "
                               "Varelle printers.")
              : QStringLiteral("For full control over printers on your network, we recommend "
                               "Zov PrintNet Manager, the network management program for Zov "
                               "printers."),
      this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setWordWrap(true);

  Label2 = new QLabel(QStringLiteral("To continue, click Next"), this);
  Label2->setObjectName(QStringLiteral("Label2"));

  Line1 = pageparts::line(this, "Line1");
  Line2 = pageparts::line(this, "Line2");

  About = pageparts::button(this, "About", QStringLiteral("&About"));
  Exit = pageparts::button(this, "Exit", QStringLiteral("E&xit"));
  Next = pageparts::button(this, "Next", QStringLiteral("&Next >"));
  // Return always means Next, wherever the focus is.
  Next->setDefault(true);

  auto* text = new QVBoxLayout;
  text->addWidget(Label1);
  text->addWidget(Line1);
  text->addSpacing(8);
  text->addWidget(Label3);
  text->addSpacing(8);
  text->addWidget(Label4);
  text->addStretch(1);
  text->addWidget(Label2);

  auto* top = new QHBoxLayout;
  top->addWidget(Logo);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(About);
  buttons->addStretch(1);
  buttons->addWidget(Exit);
  buttons->addWidget(Next);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(Line2);
  layout->addLayout(buttons);
  resize(520, 340);

  setTabOrder(Next, Exit);
  setTabOrder(Exit, About);
  Next->setFocus();

  connect(About, &QPushButton::clicked, this, [this] { About_Click(); });
  connect(Exit, &QPushButton::clicked, this, [this] { Exit_Click(); });
  connect(Next, &QPushButton::clicked, this, [this] { Next_Click(); });
}

QString ZovIntro::driverSetupFile() const {
  return maker() ? QStringLiteral("R7QDriverSetup.exe") : QStringLiteral("Zov5820K35DriverSetup.exe");
}

void ZovIntro::formLoad() {
  AppContext& c = ctx();
  // From a CD menu: minimise the menu while the wizard runs (the exit restores it).
  if (isSet(c.options.CdMenuMode) && c.services.processes) {
    c.services.processes->startDetached(
        c.options.CdMenuTool + QStringLiteral(" min ") + c.options.CdMenuArg, true);
  }
}

void ZovIntro::About_Click() {
  WizardShell::Busy busy(shell());
  const FormId aboutId = maker() ? FormId::frmAbout : FormId::ZovAbout;
  WizardForm* about = shell().load(aboutId);
  if (!about) return;
  QPointer<WizardForm> guard(about);
  about->exec();
  // OK hides the box; the exit routine may have unloaded it already.
  if (guard && shell().find(aboutId) == guard) shell().unload(aboutId);
}

void ZovIntro::Exit_Click() {
  WizardShell::Busy busy(shell());
  ConfirmExitCaution(ctx());
}

void ZovIntro::Next_Click() {
  // During a driver setup the operator can go Back from the selection page to this
  // page; a second Next then waits for the first instead of starting another run.
  if (nextRunning_) return;
  WizardShell::Busy busy(shell());
  QScopedValueRollback<bool> running(nextRunning_, true);
  // Busy keeps this object alive even when a wait below sees the program close.
  for (;;) {
    shell().show(FormId::Selection);
    if (ctx().exitStarted) return;
    if (!ctx().printer.SelectedPrinterName.isEmpty()) {
      shell().unload(formId());
      return;
    }
    hide();
    if (!No_Driver_Found()) return;
  }
}

bool ZovIntro::No_Driver_Found() {
  AppContext& c = ctx();
  c.session.SettingsSelected = kFalse;
  c.log.write(QStringLiteral("No Driver Found") + kCrLf);

  MessageBox question;
  question.title = QStringLiteral("No Compatible Drivers Found");
  question.text = QStringLiteral("No compatible Windows driver found!") + kCrLf +
                  QStringLiteral("You must have at least one compatible Windows printer driver "
                                 "installed before you can use this application.") +
                  kCrLf + QStringLiteral("Would you like to install a Windows printer driver now?");
  question.icon = BoxIcon::Question;
  question.buttons = BoxButtons::YesNo;
  question.defaultButton = BoxAnswer::Yes;
  const BoxAnswer answer = c.services.prompts ? c.services.prompts->show(question) : BoxAnswer::No;
  if (c.exitStarted) return false;
  if (answer != BoxAnswer::Yes) {
    ExitWizard(c);
    return false;
  }

  const QString setupPath = QDir(c.programFolder).filePath(driverSetupFile());
  const QFileInfo setup(setupPath);
  if (c.programFolder.isEmpty() || !setup.exists() || !setup.isFile()) {
    ShowPrinterError(c,
                     QStringLiteral("Error unable to locate the Windows driver setup file.") + kCrLf +
                         QStringLiteral("Please install the Windows driver using your Quick Start CD."),
                     kTrue);
    return false;
  }

  // The path is quoted when it holds blanks, so that a program folder with a blank
  // in its name still starts the right file.
  QString program = QDir::toNativeSeparators(setupPath);
  if (program.contains(QLatin1Char(' ')) || program.contains(QLatin1Char('\t')))
    program = QLatin1Char('"') + program + QLatin1Char('"');
  const QString commandLine = program + QStringLiteral(" /VERYSILENT");
  c.log.write(QStringLiteral("Running driver install: ") + commandLine + kCrLf);
  QString message;
  RunAndWait(c, commandLine, message, kDriverSetupLimitMs);
  if (c.exitStarted) return false;

  // Build the printer list anew.
  shell().unload(FormId::Selection);
  return true;
}

}  // namespace tlw
