// A small JSON writer for the batch tool's output: objects, arrays, texts and numbers in number text.
#pragma once

#include <string>
#include <vector>

namespace plintova::cli {

class JsonWriter {
 public:
  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  void key(const std::string& k);
  void text(const std::string& v);
  void number(double v);  // general-format number text
  void integer(long long v);
  void boolean(bool v);
  void null();
  const std::string& str() const { return out_; }

 private:
  void separate();
  std::string out_;
  std::vector<bool> first_;  // per open container: no element written yet
  bool afterKey_ = false;
};

std::string jsonEscape(const std::string& s);

}  // namespace plintova::cli
