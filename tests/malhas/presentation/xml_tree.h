#pragma once
// A small reader of the XML the charts write: elements with their attributes, children and text,
// enough to walk an SVG document. No declarations, comments or CDATA; &amp;, &lt;, &gt; and
// &quot; are the only entities.
#include <map>
#include <string>
#include <vector>

namespace malhas {

struct XmlElement {
  std::string tag;
  std::map<std::string, std::string> attributes;
  std::vector<XmlElement> children;
  std::string text;  // the element's own text, its children's left out

  // The attribute, or "" when it has none.
  std::string attribute(const std::string& name) const;
  // Whether the class attribute is exactly `name`.
  bool is(const std::string& name) const { return attribute("class") == name; }
};

// The document's root element; throws std::runtime_error on what it cannot read.
XmlElement read_xml(const std::string& text);

}  // namespace malhas
