#pragma once
// Small pieces of HTML for the study's page: text made safe for it, elements, tables whose
// number cells are right-aligned, titled sections, and SVG documents set inside the page.
#include <string>
#include <string_view>
#include <vector>

namespace malhas {

// `text` with &, <, > and " written as references, for an element's content or an attribute.
std::string html_text(std::string_view text);

// <tag attributes>body</tag>; `attributes` as written, e.g. R"( class="n")", and `body` already
// HTML.
std::string element(std::string_view tag, const std::string& body,
                    const std::string& attributes = "");

// attribute="value", the value made safe; with a space before it, to follow a tag's name.
std::string attribute(std::string_view name, std::string_view value);

struct HtmlCell {
  std::string text;     // plain text, made safe when written
  bool number = false;  // right-aligned, in figures of one width
  int columns = 1;      // how many columns the cell spans
  std::string attributes;  // more of them, as attribute() writes them (data-... marks), or empty
};

struct HtmlRow {
  std::vector<HtmlCell> cells;
  std::string css_class;  // e.g. "marcada", or empty
  std::string title;      // shown on hovering the row, or empty
};

struct HtmlTable {
  std::string caption;               // plain text, or empty
  std::vector<std::string> heading;  // plain text, one per column
  std::vector<HtmlRow> rows;
  // A row above the heading that names groups of its columns, each cell spanning its group;
  // none when empty.
  std::vector<HtmlCell> groups;
};

// The table inside a box that scrolls sideways when the table is wider than the page.
std::string html_table(const HtmlTable& table);

// A part of the page with its heading; `id` is its anchor for the page's contents.
struct PageSection {
  std::string id, title;
  std::string body;  // HTML
};

// A section of the users' guide (LEIAME) named by its title, as the page cites it.
std::string guide_section(std::string_view title);

// An SVG document as an element of an HTML page: without its XML declaration, and with every id
// and every reference to one (url(#...), href="#...") prefixed by `prefix` and "-", so that
// several charts on one page never share an id.
std::string inline_svg(std::string_view svg, std::string_view prefix);

}  // namespace malhas
