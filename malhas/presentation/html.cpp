#include "malhas/presentation/html.h"

namespace malhas {

std::string html_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string element(std::string_view tag, const std::string& body, const std::string& attributes) {
  const std::string name(tag);
  return "<" + name + attributes + ">" + body + "</" + name + ">";
}

std::string attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + html_text(value) + "\"";
}

std::string guide_section(std::string_view title) {
  return element("cite", html_text(title), " class=\"secao-guia\"");
}

namespace {

std::string cell(const HtmlCell& c, std::string_view tag) {
  std::string attributes = c.number ? " class=\"n\"" : "";
  if (c.columns > 1) attributes += attribute("colspan", std::to_string(c.columns));
  return element(tag, html_text(c.text), attributes + c.attributes);
}

}  // namespace

std::string html_table(const HtmlTable& table) {
  std::string body;
  if (!table.caption.empty()) body += element("caption", html_text(table.caption));
  std::string groups, heading;
  for (const HtmlCell& group : table.groups) groups += cell(group, "th");
  for (const std::string& name : table.heading) heading += cell({name, false, 1, {}}, "th");
  body += element("thead", (groups.empty() ? "" : element("tr", groups)) + element("tr", heading)) + "\n";
  std::string rows;
  for (const HtmlRow& row : table.rows) {
    std::string cells;
    for (const HtmlCell& c : row.cells) cells += cell(c, "td");
    std::string attributes;
    if (!row.css_class.empty()) attributes += attribute("class", row.css_class);
    if (!row.title.empty()) attributes += attribute("title", row.title);
    rows += element("tr", cells, attributes) + "\n";
  }
  body += element("tbody", "\n" + rows);
  return element("div", element("table", body), " class=\"rolagem\"") + "\n";
}

std::string inline_svg(std::string_view svg, std::string_view prefix) {
  // The XML declaration, a document type or a comment before the root element have no place
  // inside HTML.
  const std::size_t root = svg.find("<svg");
  if (root != std::string_view::npos) svg.remove_prefix(root);
  constexpr std::string_view kReferences[] = {" id=\"", "url(#", "href=\"#"};
  std::string out;
  out.reserve(svg.size());
  std::size_t at = 0;
  while (at < svg.size()) {
    std::size_t next = std::string_view::npos, length = 0;
    for (std::string_view reference : kReferences) {
      const std::size_t found = svg.find(reference, at);
      if (found < next) {
        next = found;
        length = reference.size();
      }
    }
    if (next == std::string_view::npos) break;
    out.append(svg.substr(at, next + length - at));
    out.append(prefix);
    out += '-';
    at = next + length;
  }
  out.append(svg.substr(at));
  return out;
}

}  // namespace malhas
