// Writing the map's SVG: numbers, texts escaped as XML, lines, and labels
// in the places a label layout gave them.
#pragma once

#include <sstream>
#include <string>

#include "tool/presenters/map_labels.h"
#include "util/escape.h"

namespace tarvosa::tool {

// `value` with one decimal, as the map writes every coordinate.
std::string N(double value);

class SvgWriter {
 public:
  std::ostream& Out() { return out_; }
  std::string Written() const { return out_.str(); }

  // `text` as it reads: any markup in it is escaped.
  void Text(double x, double y, const std::string& text, const std::string& style = "") {
    out_ << "<text x=\"" << N(x) << "\" y=\"" << N(y) << "\" " << style << ">" << EscapeXml(text)
         << "</text>\n";
  }
  void Line(double x1, double y1, double x2, double y2, const std::string& style) {
    out_ << "<line x1=\"" << N(x1) << "\" y1=\"" << N(y1) << "\" x2=\"" << N(x2) << "\" y2=\""
         << N(y2) << "\" " << style << "/>\n";
  }
  // `text` in the box a layout gave it, with its leader line, held to the
  // side that faces its mark: the box allows for the widest letters.
  void Label(const Placement& p, double size, const std::string& text, const std::string& style,
             const std::string& leader_style = "", double mark_x = -1e9) {
    double x = p.box.x0;
    std::string anchor;
    if (p.leader) {
      Line(p.leader->x0, p.leader->y0, p.leader->x1, p.leader->y1,
           leader_style + " stroke=\"#888\" stroke-width=\"0.7\"");
      mark_x = p.leader->x1;
    }
    if (mark_x >= p.box.x1) {
      x = p.box.x1, anchor = " text-anchor=\"end\"";
    } else if (mark_x > p.box.x0) {
      x = (p.box.x0 + p.box.x1) / 2, anchor = " text-anchor=\"middle\"";
    }
    Text(x, p.box.y0 + 0.98 * size, text, style + anchor + " font-size=\"" + N(size) + "\"");
  }

 protected:
  std::ostringstream out_;
};

}  // namespace tarvosa::tool
