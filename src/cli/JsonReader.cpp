#include "cli/JsonReader.h"

#include <stdexcept>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zephirax::json {

const Value* Value::Find(std::string_view key) const {
  for (const auto& [name, member] : Object) {
    if (name == key) return &member;
  }
  return nullptr;
}

const Value& Value::operator[](std::string_view key) const {
  const Value* member = Find(key);
  if (member == nullptr) throw std::out_of_range("no JSON member " + std::string(key));
  return *member;
}

std::vector<std::string> Value::Keys() const {
  std::vector<std::string> keys;
  for (const auto& member : Object) keys.push_back(member.first);
  return keys;
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : t_(text) {}

  bool Document(Value& value) {
    if (!ParseValue(value, 0)) return false;
    Blank();
    return p_ == t_.size();
  }

 private:
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
  bool Word(std::string_view word) {
    if (t_.substr(p_, word.size()) != word) return false;
    p_ += word.size();
    return true;
  }

  bool ParseValue(Value& v, int depth) {
    if (depth > MaxJsonDepth) return false;
    Blank();
    if (p_ >= t_.size()) return false;
    const char c = t_[p_];
    if (c == '{') {
      ++p_;
      v.Type = Value::Kind::Object;
      if (Eat('}')) return true;
      do {
        Blank();
        std::string key;
        if (!ParseString(key) || !Eat(':')) return false;
        Value member;
        if (!ParseValue(member, depth + 1)) return false;
        v.Object.emplace_back(std::move(key), std::move(member));
      } while (Eat(','));
      return Eat('}');
    }
    if (c == '[') {
      ++p_;
      v.Type = Value::Kind::Array;
      if (Eat(']')) return true;
      do {
        Value element;
        if (!ParseValue(element, depth + 1)) return false;
        v.Array.push_back(std::move(element));
      } while (Eat(','));
      return Eat(']');
    }
    if (c == '"') {
      v.Type = Value::Kind::String;
      return ParseString(v.String);
    }
    if (Word("true") || Word("false")) {
      v.Type = Value::Kind::Bool;
      v.Bool = t_[p_ - 1] == 'e' && t_[p_ - 2] == 'u';
      return true;
    }
    if (Word("null")) return true;
    v.Type = Value::Kind::Number;
    return ParseNumber(v.Number);
  }

  bool Digits() {
    const size_t start = p_;
    while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9') ++p_;
    return p_ > start;
  }

  bool ParseNumber(double& number) {
    const size_t start = p_;
    if (p_ < t_.size() && t_[p_] == '-') ++p_;
    if (p_ < t_.size() && t_[p_] == '0') {
      ++p_;
    } else if (!Digits()) {
      return false;
    }
    if (p_ < t_.size() && t_[p_] == '.') {
      ++p_;
      if (!Digits()) return false;
    }
    if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
      ++p_;
      if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-')) ++p_;
      if (!Digits()) return false;
    }
    const char* first = t_.data() + start;
    const char* last = t_.data() + p_;
    const auto [end, error] = std::from_chars(first, last, number);
    return error == std::errc() && end == last && std::isfinite(number);
  }

  bool Hex4(uint32_t& code) {
    if (t_.size() - p_ < 4) return false;
    code = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = t_[p_++];
      code <<= 4;
      if (c >= '0' && c <= '9') {
        code |= static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        code |= static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        code |= static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return false;
      }
    }
    return true;
  }

  static void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }

  // One well-formed UTF-8 sequence (no overlong forms, surrogates or code
  // points past U+10FFFF) copied to `out`.
  bool CopyUtf8(std::string& out) {
    const auto lead = static_cast<unsigned char>(t_[p_]);
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (t_.size() - p_ < length) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(t_[p_ + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
      return false;
    }
    out.append(t_.substr(p_, length));
    p_ += length;
    return true;
  }

  bool ParseString(std::string& out) {
    if (p_ >= t_.size() || t_[p_] != '"') return false;
    ++p_;
    while (p_ < t_.size()) {
      const char c = t_[p_];
      if (c == '"') {
        ++p_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (static_cast<unsigned char>(c) >= 0x80) {
        if (!CopyUtf8(out)) return false;
        continue;
      }
      ++p_;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (p_ >= t_.size()) return false;
      const char e = t_[p_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out.push_back(e);
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'f':
          out.push_back('\f');
          break;
        case 'n':
          out.push_back('\n');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'u': {
          uint32_t code = 0;
          if (!Hex4(code)) return false;
          if (code >= 0xDC00 && code <= 0xDFFF) return false;
          if (code >= 0xD800 && code <= 0xDBFF) {
            uint32_t low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  std::string_view t_;
  size_t p_ = 0;
};

}  // namespace

std::optional<Value> ParseJson(std::string_view text) {
  Value value;
  Parser parser(text);
  if (!parser.Document(value)) return std::nullopt;
  return value;
}

}  // namespace zephirax::json
