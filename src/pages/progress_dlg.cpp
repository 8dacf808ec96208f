#include "pages/progress_dlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QVBoxLayout>

#include "delivery/front_panel.h"
#include "pages/page_parts.h"

namespace tlw {

using namespace pageparts;

namespace {

// Front-panel lookups through the registry's port view and SNMP. It holds no
// state, so one object serves every run, also a run that outlives its window.
NetworkFrontPanel& frontPanelReader() {
  static NetworkFrontPanel reader;
  return reader;
}

}  // namespace

ProgressDlg::ProgressDlg(WizardShell& shell)
    : WizardForm(shell, FormId::ProgressDlg), runner_(std::make_shared<JobRunner>(shell.ctx())) {
  setWindowTitle(QStringLiteral("Progress Monitor"));
  runner_->setFrontPanelReader(&frontPanelReader());
  runner_->addObserver(this);

  Label1 = heading(this, "Label1", QStringLiteral("Processing Request"));
  Label4 = label(this, "Label4", QStringLiteral("Printer configuration in progress. Please wait."),
                 true);
  Label2 = label(this, "Label2", QStringLiteral("Progress Meter:"));
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  Label3 = label(this, "Label3", QStringLiteral("Status Log:"));
  StatusLog = new QPlainTextEdit(this);
  StatusLog->setObjectName(QStringLiteral("StatusLog"));
  StatusLog->setReadOnly(true);
  StatusLog->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(line(this, "Line1"));
  layout->addWidget(Label4);
  layout->addSpacing(8);
  layout->addWidget(Label2);
  layout->addWidget(ProgressBar);
  layout->addSpacing(8);
  layout->addWidget(Label3);
  layout->addWidget(StatusLog, 1);
  resize(520, 400);
}

ProgressDlg::~ProgressDlg() {
  runner_->removeObserver(this);
  // A run still waiting (it holds its own reference) must stop rather than go on
  // after its window is gone.
  runner_->requestStop();
}

void ProgressDlg::Start_Job() {
  // The runner outlives this window if the program closes during the run.
  const std::shared_ptr<JobRunner> run = runner_;
  run->Start_Job();
}

void ProgressDlg::progressChanged(int value) {
  ProgressBar->setValue(value);
}

void ProgressDlg::statusLogChanged(const QString& text, const QString&) {
  // The log's lines are joined by CR LF; the text box shows one line each.
  StatusLog->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  StatusLog->verticalScrollBar()->setValue(StatusLog->verticalScrollBar()->maximum());
}

}  // namespace tlw
