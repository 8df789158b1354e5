#include "support/JsonValue.h"

#include <cstdlib>
#include <stdexcept>

namespace zephirax::test {

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : t_(text) {}

  JsonValue Document() {
    JsonValue v = Value();
    Blank();
    if (p_ != t_.size()) Fail("trailing characters");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) {
    throw std::runtime_error("JSON: " + why + " at " + std::to_string(p_));
  }
  void Blank() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t'))
      ++p_;
  }
  bool Eat(char c) {
    Blank();
    if (p_ < t_.size() && t_[p_] == c) {
      ++p_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Eat(c)) Fail(std::string("expected ") + c);
  }
  bool Word(const char* w) {
    const std::string word(w);
    if (t_.compare(p_, word.size(), word) == 0) {
      p_ += word.size();
      return true;
    }
    return false;
  }

  JsonValue Value() {
    Blank();
    JsonValue v;
    if (p_ >= t_.size()) Fail("unexpected end");
    const char c = t_[p_];
    if (c == '{') {
      ++p_;
      v.Type = JsonValue::Kind::Object;
      if (Eat('}')) return v;
      do {
        Blank();
        std::string key = String();
        Expect(':');
        v.Object.emplace_back(std::move(key), Value());
      } while (Eat(','));
      Expect('}');
    } else if (c == '[') {
      ++p_;
      v.Type = JsonValue::Kind::Array;
      if (Eat(']')) return v;
      do v.Array.push_back(Value());
      while (Eat(','));
      Expect(']');
    } else if (c == '"') {
      v.Type = JsonValue::Kind::String;
      v.String = String();
    } else if (Word("true") || Word("false")) {
      v.Type = JsonValue::Kind::Bool;
      v.Bool = t_[p_ - 1] == 'e' && t_[p_ - 2] == 'u';
    } else if (Word("null")) {
      v.Type = JsonValue::Kind::Null;
    } else {
      v.Type = JsonValue::Kind::Number;
      const char* start = t_.c_str() + p_;
      char* end = nullptr;
      v.Number = std::strtod(start, &end);
      if (end == start || *start == '+' || *start == '.') Fail("bad number");
      p_ += static_cast<size_t>(end - start);
    }
    return v;
  }

  std::string String() {
    if (p_ >= t_.size() || t_[p_] != '"') Fail("expected string");
    ++p_;
    std::string s;
    while (true) {
      if (p_ >= t_.size()) Fail("unterminated string");
      const char c = t_[p_++];
      if (c == '"') return s;
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in string");
      if (c != '\\') {
        s.push_back(c);
        continue;
      }
      if (p_ >= t_.size()) Fail("bad escape");
      const char e = t_[p_++];
      switch (e) {
        case '"':
          s.push_back('"');
          break;
        case '\\':
          s.push_back('\\');
          break;
        case '/':
          s.push_back('/');
          break;
        case 'n':
          s.push_back('\n');
          break;
        case 'r':
          s.push_back('\r');
          break;
        case 't':
          s.push_back('\t');
          break;
        case 'b':
          s.push_back('\b');
          break;
        case 'f':
          s.push_back('\f');
          break;
        case 'u': {
          if (p_ + 4 > t_.size()) Fail("bad \\u");
          const unsigned code = std::stoul(t_.substr(p_, 4), nullptr, 16);
          p_ += 4;
          if (code < 0x80) {
            s.push_back(static_cast<char>(code));
          } else if (code < 0x800) {
            s.push_back(static_cast<char>(0xC0 | (code >> 6)));
            s.push_back(static_cast<char>(0x80 | (code & 0x3F)));
          } else {
            s.push_back(static_cast<char>(0xE0 | (code >> 12)));
            s.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            s.push_back(static_cast<char>(0x80 | (code & 0x3F)));
          }
          break;
        }
        default:
          Fail("bad escape");
      }
    }
  }

  const std::string& t_;
  size_t p_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
  for (const auto& [name, value] : Object) {
    if (name == key) return value;
  }
  throw std::out_of_range("no JSON member " + key);
}

bool JsonValue::Has(const std::string& key) const {
  for (const auto& member : Object) {
    if (member.first == key) return true;
  }
  return false;
}

std::vector<std::string> JsonValue::Keys() const {
  std::vector<std::string> keys;
  for (const auto& member : Object) keys.push_back(member.first);
  return keys;
}

JsonValue ParseJson(const std::string& text) {
  return Parser(text).Document();
}

}  // namespace zephirax::test
