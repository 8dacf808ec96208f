#pragma once
#include <QString>
#include <cstdint>
#include <functional>

#include "pages/wizard_shell.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tlw {

// The settings file dialog: asks for the name of a settings file (*.tlw), typed or
// chosen with "Browse", and then loads the settings from it or saves them to it.
// Its mode (dialogFlag) is set before each showing:
//  0 load (from the start page): load into fresh settings pages, then page 1;
//  1 save before the finish page (from page 2's save question);
//  2 save before the program ends (from the exit-with-changes question).
// A fresh dialog is created for each opening (WizardShell::openSettingsFileDialog).
class Dialog : public WizardForm {
  Q_OBJECT
 public:
  explicit Dialog(WizardShell& shell);

  // Any value other than 1 and 2 behaves as 0. Sets the texts of the mode.
  void setDialogFlag(FileDialogMode flag);
  FileDialogMode dialogFlag() const { return dialogFlag_; }
  bool saving() const {
    return dialogFlag_ == FileDialogMode::SaveBeforeFinish ||
           dialogFlag_ == FileDialogMode::SaveBeforeExit;
  }

  void Browse_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // The file chooser: given the owner window, the chooser's title, the folder to
  // start in and the filters, returns the chosen path, empty when cancelled.
  // Replaceable so that tests need no real chooser.
  using FileChooser = std::function<QString(QWidget* owner, const QString& title,
                                            const QString& folder, const QString& filters)>;
  static FileChooser& fileChooser();

  // True for a name the dialog refuses: empty, a single blank, or one that ends in
  // a path separator.
  static bool isInvalidFileName(const QString& name);
  // The name with ".tlw" appended when it holds no "." at all.
  static QString withExtension(const QString& name);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Closes this dialog (the program's close, not the operator's).
  void unloadSelf();

  FileDialogMode dialogFlag_ = FileDialogMode::Load;
  QLabel* Title = nullptr;
  QLabel* Subtitle = nullptr;
  QLabel* FileNameLabel = nullptr;
  QLineEdit* FileName = nullptr;
  QPushButton* Browse = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace tlw
