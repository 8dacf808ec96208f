#pragma once
// Helpers for the tests of the settings pages, their dialogs and the run: a wizard
// on doubles (PagesHarness) with one compatible printer, and steps of the walk.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>

#include "pages/custom_dialog.h"
#include "pages/settings_file_dialog.h"
#include "pages_harness.h"

namespace tlw::test {

inline const QString kQueue = QStringLiteral("Labels");

struct Walk : PagesHarness {
  Walk() {
    spooler.addPrinter(kQueue, QStringLiteral("Zov 5820-K35 4in"),
                       QStringLiteral("socket://127.0.0.1:9100"));
    CustomDialog::stored() = CustomDimensions{};
    savedChooser = Dialog::fileChooser();
  }
  ~Walk() { Dialog::fileChooser() = savedChooser; }

  // Welcome page -> printer selection -> start page, as the operator clicks.
  void toStartPage() {
    shell->show(FormId::ZovIntro);
    ASSERT_TRUE(click(FormId::ZovIntro, "Next"));
    ASSERT_TRUE(click(FormId::Selection, "Next"));
    ASSERT_TRUE(visible(FormId::LoadDlg));
  }
  // ... -> "Start New" -> page 1.
  void toPage1() {
    toStartPage();
    ASSERT_TRUE(click(FormId::LoadDlg, "Next"));
    ASSERT_TRUE(visible(FormId::Operation));
  }
  void toPage2() {
    toPage1();
    ASSERT_TRUE(click(FormId::Operation, "Next"));
    ASSERT_TRUE(visible(FormId::PrinterSetup));
  }

  QCheckBox* box(FormId form, const char* name) { return control<QCheckBox>(form, name); }
  QComboBox* combo(FormId form, const char* name) { return control<QComboBox>(form, name); }
  QLineEdit* edit(FormId form, const char* name) { return control<QLineEdit>(form, name); }
  QString labelText(FormId form, const char* name) {
    auto* l = control<QLabel>(form, name);
    return l ? l->text() : QStringLiteral("<missing>");
  }
  // Sets an Ignore box as a click would.
  void setBox(FormId form, const char* name, bool checked) {
    QCheckBox* b = box(form, name);
    ASSERT_NE(b, nullptr) << name;
    if (b->isChecked() != checked) b->click();
  }
  // Texts of the boxes shown so far.
  QStringList boxTexts() const {
    QStringList out;
    for (const auto& b : prompts.shown) out << b.text;
    return out;
  }
  // The printer takes every job the moment a wait begins.
  void printerWorks() {
    clock.onWait = [this](qint64) { spooler.takeAll(kQueue); };
  }
  // Documents sent to the queue, without the empty probe jobs.
  QList<QByteArray> setupJobs() const {
    QList<QByteArray> out;
    for (const auto& s : spooler.submitted)
      if (s.data != QByteArray("!KVX_SETUP\r\nKVX_END\r\n")) out << s.data;
    return out;
  }

  Dialog::FileChooser savedChooser;
};

}  // namespace tlw::test
