#pragma once
#include "platform/prompts.h"

namespace tlw {

// Message boxes on QMessageBox: the exact title (the wizard's title when empty),
// text, icon, OK or Yes/No buttons and the default button. Modal; returns the answer.
class QtPrompts : public Prompts {
 public:
  BoxAnswer show(const MessageBox& box) override;
};

}  // namespace tlw
