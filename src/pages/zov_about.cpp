#include "pages/zov_about.h"

#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QVersionNumber>

#include "core/app_info.h"
#include "core/context.h"
#include "platform/process_launcher.h"
#include "platform/prompts.h"

#ifndef TENLARK_VERSION
#define TENLARK_VERSION "1.0.0"
#endif

namespace tlw {

namespace {

const char kLegalNotice[] =
    "Copyright (C) 2026 Zov Systems. All rights reserved. This program is protected by "
    "copyright law and international treaties.";

}  // namespace

ZovAbout::ZovAbout(WizardShell& shell, FormId id) : WizardForm(shell, id) {
  const QString title = QString::fromLatin1(AppTitle);
  setWindowTitle(QStringLiteral("About ") + title);
  setModal(true);

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(QPixmap(id == FormId::frmAbout ? QStringLiteral(":/tenlark/images/varelle_logo.png")
                                                    : QStringLiteral(":/tenlark/images/zov_logo.png")));
  picIcon->setAlignment(Qt::AlignTop);
  setWindowIcon(QIcon(picIcon->pixmap()));

  lblTitle = new QLabel(title, this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont bold = lblTitle->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  lblTitle->setFont(bold);

  const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(TENLARK_VERSION));
  lblVersion = new QLabel(QStringLiteral("Version %1.%2.%3")
                              .arg(version.majorVersion())
                              .arg(version.minorVersion())
                              .arg(version.microVersion()),
                          this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));

  lblDescription = new QLabel(
      QStringLiteral("This application will help guide you through the process of configuring your printer"),
      this);
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setWordWrap(true);

  lblCopyright = new QLabel(QString::fromLatin1(kLegalNotice), this);
  lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
  lblCopyright->setWordWrap(true);

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo->setAutoDefault(false);

  auto* text = new QVBoxLayout;
  text->addWidget(lblTitle);
  text->addWidget(lblVersion);
  text->addSpacing(8);
  text->addWidget(lblDescription);
  text->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(picIcon);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblCopyright, 1);
  bottom->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);
  resize(460, 260);

  setTabOrder(cmdOK, cmdSysInfo);
  cmdOK->setFocus();

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

QStringList ZovAbout::systemInfoTools() {
  // Desktop system information viewers, most detailed first; a task manager as
  // the last resort.
  return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
          QStringLiteral("gnome-system-monitor"), QStringLiteral("mate-system-monitor"),
          QStringLiteral("xfce4-taskmanager"), QStringLiteral("lxtask")};
}

QString ZovAbout::findSystemInfoTool(const QString& searchPath) {
  QStringList dirs;
  if (!searchPath.isEmpty()) {
    dirs = searchPath.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    if (dirs.isEmpty()) return QString();
  }
  for (const QString& name : systemInfoTools()) {
    const QString path = QStandardPaths::findExecutable(name, dirs);
    if (!path.isEmpty()) return path;
  }
  return QString();
}

void ZovAbout::cmdOK_Click() { hide(); }

void ZovAbout::cmdSysInfo_Click() {
  WizardShell::Busy busy(shell());
  StartSysInfo();
}

void ZovAbout::StartSysInfo() {
  AppContext& c = ctx();
  const QString tool = findSystemInfoTool();
  bool started = false;
  if (!tool.isEmpty() && c.services.processes) {
    // A quoted path, so that a folder with a blank in its name still works.
    started = c.services.processes->startDetached(QLatin1Char('"') + tool + QLatin1Char('"'), false);
  }
  if (started || !c.services.prompts) return;
  MessageBox box;
  box.title = QString::fromLatin1(AppTitle);
  box.text = QStringLiteral("System Information Is Unavailable At This Time");
  box.icon = BoxIcon::None;
  box.buttons = BoxButtons::Ok;
  c.services.prompts->show(box);
}

}  // namespace tlw
