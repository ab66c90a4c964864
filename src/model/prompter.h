// The engineer's side of messages and questions: the core asks through this interface, windows answer.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace plintova {

// The program's name: the title of its main window, its start-up dialog and its message boxes.
inline constexpr const char* kProgramName = "Plintova";

enum class MessageIcon { None, Information, Exclamation, Critical };

// The answer to "save the changes?" before work is left.
enum class SaveChoice { Save, Discard, Cancel };

// Where a procedure shows a message box or asks OK/Cancel, it calls a Prompter. The desktop program
// implements it with message boxes, the batch tool writes to stderr, tests record the calls.
// An empty title means the program's default title, its name.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) = 0;
  // One message about many supports or cases of one kind: a summary and one line of detail each. The
  // desktop shows the details in an area the engineer can select and copy, the batch tool one line each
  // under the summary. By default the lines follow the summary in one message.
  virtual void messageList(const std::string& summary, const std::vector<std::string>& details,
                           const std::string& title = {}) {
    std::string text = summary;
    for (const std::string& d : details) text += "\n" + d;
    message(text, title, MessageIcon::Exclamation);
  }
  // OK/Cancel question: true for OK.
  virtual bool confirm(const std::string& text, const std::string& title = {}) = 0;
  // Save / Discard / Cancel, asked before unsaved work would be left. Where no one can answer (the
  // batch tool) nothing is left behind unasked: the answer is Cancel.
  virtual SaveChoice askToSave(const std::string& text, const std::string& title = {}) {
    (void)text;
    (void)title;
    return SaveChoice::Cancel;
  }
};

// Records every call; questions are answered from queues of prepared answers (OK when empty; Cancel for
// the save question).
class RecordingPrompter : public Prompter {
 public:
  struct Call {
    bool question = false;
    std::string text, title;
    MessageIcon icon = MessageIcon::None;
    std::vector<std::string> details;  // the lines of a messageList
  };
  void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) override {
    calls.push_back({false, text, title, icon, {}});
  }
  void messageList(const std::string& summary, const std::vector<std::string>& details,
                   const std::string& title = {}) override {
    calls.push_back({false, summary, title, MessageIcon::Exclamation, details});
  }
  bool confirm(const std::string& text, const std::string& title = {}) override {
    calls.push_back({true, text, title, MessageIcon::None, {}});
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  SaveChoice askToSave(const std::string& text, const std::string& title = {}) override {
    calls.push_back({true, text, title, MessageIcon::None, {}});
    if (saveAnswers.empty()) return SaveChoice::Cancel;
    SaveChoice a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const auto& c : calls) t.push_back(c.text);
    return t;
  }
  std::vector<Call> calls;
  std::deque<bool> answers;
  std::deque<SaveChoice> saveAnswers;  // Cancel when empty: a test must say when work may be left
};

}  // namespace plintova
