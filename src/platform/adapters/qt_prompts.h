#pragma once
#include "platform/prompts.h"

namespace tlw {

// Message boxes on QMessageBox: the exact title (the program's title when empty),
// text, icon, OK or Yes/No buttons and the default button. Modal; returns the answer.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QString defaultTitle) : defaultTitle_(std::move(defaultTitle)) {}
  BoxAnswer show(const MessageBox& box) override;

 private:
  QString defaultTitle_;
};

}  // namespace tlw
