#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "platform/prompts.h"

namespace tlw::test {

// Records every message box and answers from a script. Boxes with only an OK
// button answer OK without using the script. A Yes/No box takes the next scripted
// answer, or its default button when the script is empty.
class ScriptedPrompts : public Prompts {
 public:
  BoxAnswer show(const MessageBox& box) override {
    shown.push_back(box);
    if (onShow) onShow(box);
    if (box.buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    if (!answers.empty()) {
      BoxAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return box.defaultButton == BoxAnswer::No ? BoxAnswer::No : BoxAnswer::Yes;
  }

  std::vector<MessageBox> shown;
  std::deque<BoxAnswer> answers;
  // Runs while the box is "on screen" (before it is answered).
  std::function<void(const MessageBox&)> onShow;
};

}  // namespace tlw::test
