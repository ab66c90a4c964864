// Messages of the batch tool: written to stderr as they come and kept for the JSON output.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/prompter.h"

namespace plintova::cli {

class CliPrompter : public Prompter {
 public:
  explicit CliPrompter(bool echo) : echo_(echo) {}
  void message(const std::string& text, const std::string& title = {}, MessageIcon = MessageIcon::None) override {
    record(text, title);
  }
  // The summary under which the details follow, one line each (in the JSON messages one text).
  void messageList(const std::string& summary, const std::vector<std::string>& details,
                   const std::string& title = {}) override {
    std::string text = summary;
    for (const std::string& d : details) text += "\n  " + d;
    record(text, title);
  }
  // The batch tool has no one to ask: questions are answered with OK and reported like messages.
  bool confirm(const std::string& text, const std::string& title = {}) override {
    record(text, title);
    return true;
  }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  void record(const std::string& text, const std::string& title) {
    messages_.push_back(text);
    if (echo_) std::fprintf(stderr, "%s%s%s\n", title.c_str(), title.empty() ? "" : ": ", text.c_str());
  }
  bool echo_;
  std::vector<std::string> messages_;
};

}  // namespace plintova::cli
