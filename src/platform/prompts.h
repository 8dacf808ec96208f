#pragma once
#include <QString>

namespace tlw {

enum class BoxIcon { None, Information, Question, Warning, Stop };
enum class BoxButtons { Ok, YesNo };
// Values as the message box functions return them: OK 1, Yes 6, No 7.
enum class BoxAnswer { Ok = 1, Yes = 6, No = 7 };

// One modal message box. An empty title means the application's default title.
struct MessageBox {
  QString title;
  QString text;  // lines joined by CR LF
  BoxIcon icon = BoxIcon::None;
  BoxButtons buttons = BoxButtons::Ok;
  BoxAnswer defaultButton = BoxAnswer::Ok;
};

// Shows message boxes. QtPrompts is the real one (QMessageBox); tests use
// ScriptedPrompts, which records every box and answers from a script.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual BoxAnswer show(const MessageBox& box) = 0;
};

}  // namespace tlw
