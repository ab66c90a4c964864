// The engineer's side of messages and questions: the core asks through this interface, windows answer.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace plintova {

enum class MessageIcon { None, Information, Exclamation, Critical };

// Where a procedure shows a message box or asks OK/Cancel, it calls a Prompter. The desktop program
// implements it with message boxes, the batch tool writes to stderr, tests record the calls.
// An empty title means the program's default title.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) = 0;
  // OK/Cancel question: true for OK.
  virtual bool confirm(const std::string& text, const std::string& title = {}) = 0;
};

// Records every call; questions are answered from a queue of prepared answers (OK when it is empty).
class RecordingPrompter : public Prompter {
 public:
  struct Call {
    bool question = false;
    std::string text, title;
    MessageIcon icon = MessageIcon::None;
  };
  void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) override {
    calls.push_back({false, text, title, icon});
  }
  bool confirm(const std::string& text, const std::string& title = {}) override {
    calls.push_back({true, text, title, MessageIcon::None});
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const auto& c : calls) t.push_back(c.text);
    return t;
  }
  std::vector<Call> calls;
  std::deque<bool> answers;
};

}  // namespace plintova
