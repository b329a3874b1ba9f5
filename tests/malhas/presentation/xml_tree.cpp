#include "tests/malhas/presentation/xml_tree.h"

#include <stdexcept>

namespace malhas {
namespace {

std::string unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const std::size_t end = text.find(';', i);
    const std::string entity = text.substr(i + 1, end - i - 1);
    if (entity == "amp") out += '&';
    else if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "quot") out += '"';
    else throw std::runtime_error("unknown entity &" + entity + ";");
    i = end;
  }
  return out;
}

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  XmlElement element() {
    expect('<');
    XmlElement e;
    e.tag = name();
    for (;;) {
      spaces();
      if (peek() == '/') {
        ++at_;
        expect('>');
        return e;
      }
      if (peek() == '>') break;
      const std::string key = name();
      expect('=');
      expect('"');
      const std::size_t end = text_.find('"', at_);
      if (end == std::string::npos) throw std::runtime_error("unterminated attribute " + key);
      e.attributes[key] = unescaped(text_.substr(at_, end - at_));
      at_ = end + 1;
    }
    ++at_;
    for (;;) {
      const std::size_t next = text_.find('<', at_);
      if (next == std::string::npos) throw std::runtime_error("unclosed <" + e.tag + ">");
      e.text += unescaped(text_.substr(at_, next - at_));
      at_ = next;
      if (text_.compare(at_, 2, "</") == 0) {
        at_ += 2;
        if (name() != e.tag) throw std::runtime_error("mismatched </" + e.tag + ">");
        expect('>');
        return e;
      }
      e.children.push_back(element());
    }
  }

 private:
  char peek() const {
    if (at_ >= text_.size()) throw std::runtime_error("unexpected end of document");
    return text_[at_];
  }
  void expect(char c) {
    spaces();
    if (peek() != c) throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(at_));
    ++at_;
  }
  void spaces() {
    while (at_ < text_.size() && std::string(" \t\r\n").find(text_[at_]) != std::string::npos) ++at_;
  }
  std::string name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && std::string(" \t\r\n=/>").find(text_[at_]) == std::string::npos) ++at_;
    if (at_ == start) throw std::runtime_error("expected a name at " + std::to_string(at_));
    return text_.substr(start, at_ - start);
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

std::string XmlElement::attribute(const std::string& name) const {
  const auto found = attributes.find(name);
  return found == attributes.end() ? std::string() : found->second;
}

XmlElement read_xml(const std::string& text) {
  Reader reader(text);
  return reader.element();
}

}  // namespace malhas
