#include "tool/presenters/map_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "util/escape.h"

namespace tarvosa::tool {
namespace {

constexpr double kWidth = 1600, kMargin = 70, kPlanHeight = 760, kBand = 130, kGap = 44;

std::string N(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// A round step that divides `range` into about `count` parts: 1, 2 or 5
// times a power of ten.
double NiceStep(double range, double count) {
  const double raw = std::max(range, 1e-9) / count;
  const double power = std::pow(10, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (raw <= factor * power) return factor * power;
  }
  return 10 * power;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", std::abs(value) < 1e-9 ? 0.0 : value);
  return text;
}

// A rectangle of text on the page, to keep labels from covering each other.
struct Box {
  double x0, y0, x1, y1;
  bool Overlaps(const Box& b) const { return x0 < b.x1 && b.x0 < x1 && y0 < b.y1 && b.y0 < y1; }
};

class Page {
 public:
  explicit Page(const Json& data) : d_(data), length_(data["length"].get<double>()) {
    const Json& km = d_["cells"]["km"];
    for (std::size_t i = 0; i < km.size(); ++i) km_.push_back(km[i].get<double>());
  }

  std::string Svg() {
    const double height = kMargin + kPlanHeight + 6 * (kBand + kGap) + 140;
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << N(kWidth) << "\" height=\""
         << N(height) << "\" font-family=\"sans-serif\" font-size=\"11\">\n"
         << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    Text(kMargin, 32, d_["title"].get<std::string>() + "  (" + Number(length_) + " km)",
         "font-size=\"20\" font-weight=\"bold\"");
    Plan(50);
    double top = 50 + kPlanHeight + kGap;
    const auto values = [&](const char* key) { return Values(d_["cells"][key]); };
    Chart(top, "elevation (m, from the gradients); tunnels shaded, text boards ticked",
          values("elevation"), "#8c564b", false, [&](double t) { Tunnels(t), TextBoards(t); });
    Chart(top += kBand + kGap,
          "line speed (km/h); speed boards with their speeds, slow-downs shaded", values("speed"),
          "#1f77b4", true, [&](double t) { SlowDowns(t), Boards(t); });
    Chart(top += kBand + kGap, "adhesion", values("adhesion"), "#9467bd", true, nullptr);
    Chart(top += kBand + kGap, "gradient (per mille)", values("gradient"), "#ff7f0e", true,
          nullptr);
    Chart(top += kBand + kGap, "curvature (1/km, + to the right)", values("curvature"), "#17becf",
          false, nullptr);
    Features(top += kBand + kGap);
    out_ << "</svg>\n";
    return out_.str();
  }

 private:
  static std::vector<double> Values(const Json& values) {
    std::vector<double> out;
    for (const Json& v : values) out.push_back(v.get<double>());
    return out;
  }
  double X(double km) const {
    return kMargin + km / std::max(length_, 1e-9) * (kWidth - 2 * kMargin);
  }

  // `text` as it reads: any markup in it is escaped.
  void Text(double x, double y, const std::string& text, const std::string& style = "") {
    out_ << "<text x=\"" << N(x) << "\" y=\"" << N(y) << "\" " << style << ">" << EscapeXml(text)
         << "</text>\n";
  }
  void Line(double x1, double y1, double x2, double y2, const std::string& style) {
    out_ << "<line x1=\"" << N(x1) << "\" y1=\"" << N(y1) << "\" x2=\"" << N(x2) << "\" y2=\""
         << N(y2) << "\" " << style << "/>\n";
  }
  // A label at (x, y) unless it would cover one already placed.
  bool Label(std::vector<Box>& placed, double x, double y, const std::string& text,
             const std::string& style, double size = 10) {
    const double width = 0.6 * size * static_cast<double>(text.size());
    if (x + width > kWidth - 4) x -= width + 12;  // at the page's edge: to the left
    const Box box{x, y - size, x + width, y + 2};
    if (std::any_of(placed.begin(), placed.end(), [&](const Box& b) { return b.Overlaps(box); })) {
      return false;
    }
    placed.push_back(box);
    Text(x, y, text, style);
    return true;
  }

  // The plan over the page's width, coloured by curvature.
  void Plan(double top) {
    const Json& cells = d_["cells"];
    if (!cells.contains("x")) return Text(kMargin, top + 30, "no plan: compiled without one");
    std::vector<double> xs = Values(cells["x"]), ys = Values(cells["y"]);
    const double panel_w = kWidth - 2 * kMargin, panel_h = kPlanHeight - 40;
    // A line that runs more north-south than the panel: turned a quarter to
    // the right (north pointing right) to use the page's width.
    const auto extent = [](const std::vector<double>& v) {
      const auto [low, high] = std::minmax_element(v.begin(), v.end());
      return std::pair{*low, *high};
    };
    const bool turned = (extent(ys).second - extent(ys).first) * panel_w >
                        (extent(xs).second - extent(xs).first) * panel_h;
    if (turned) {
      std::swap(xs, ys);
      for (double& y : ys) y = -y;
    }
    const auto [min_x, max_x] = extent(xs);
    const auto [min_y, max_y] = extent(ys);
    scale_ =
        std::min(panel_w / std::max(1.0, max_x - min_x), panel_h / std::max(1.0, max_y - min_y));
    plan_x_ = kMargin + (panel_w - (max_x - min_x) * scale_) / 2 - min_x * scale_;
    plan_y_ = top + 20 + (panel_h - (max_y - min_y) * scale_) / 2 + max_y * scale_;
    const auto at = [&](std::size_t i) {
      return std::pair{plan_x_ + xs[i] * scale_, plan_y_ - ys[i] * scale_};
    };
    NorthArrow(kWidth - kMargin - 20, top + 40, turned);
    const auto run = [&](std::size_t from, std::size_t to, const std::string& style) {
      out_ << "<polyline fill=\"none\" " << style << " points=\"";
      for (std::size_t i = from; i <= to && i < xs.size(); ++i) {
        const auto [px, py] = at(i);
        out_ << N(px) << "," << N(py) << " ";
      }
      out_ << "\"/>\n";
    };
    const auto index = [&](double km) {
      return static_cast<std::size_t>(std::clamp(std::round(km * 20), 0.0, double(xs.size() - 1)));
    };
    for (const Json& t : d_["tunnels"]) {
      run(index(t["from"]), index(t["to"]), "stroke=\"#999\" stroke-width=\"7\" opacity=\"0.6\"");
    }
    for (const Json& z : d_["slowdowns"])
      run(index(z["from"]), index(z["to"]), "stroke=\"#d62728\" stroke-width=\"6\"");
    const std::vector<double> bend = Values(cells["curvature"]);
    for (std::size_t i = 0; i + 1 < xs.size();) {
      const auto colour = [&](std::size_t k) {
        const double b = std::abs(bend[k]);
        return b < 0.05 ? "#555" : b < 1.5 ? "#1f77b4" : "#d62728";
      };
      std::size_t end = i + 1;
      while (end + 1 < xs.size() && std::string(colour(end)) == colour(i)) ++end;
      run(i, end, std::string("stroke=\"") + colour(i) + "\" stroke-width=\"2\"");
      i = end;
    }
    std::vector<Box> placed;
    for (const Json& s : d_["stations"]) {
      const auto [px, py] = at(index(s["km"]));
      out_ << "<circle cx=\"" << N(px) << "\" cy=\"" << N(py)
           << "\" r=\"3.5\" fill=\"#d62728\"/>\n";
      Label(placed, px + 6, py - 3, s["name"].get<std::string>(),
            "class=\"station\" font-size=\"10\"");
    }
    const double bar = NiceStep(panel_w / scale_ / 1000, 5);
    Line(kMargin, top + kPlanHeight - 6, kMargin + bar * 1000 * scale_, top + kPlanHeight - 6,
         "stroke=\"black\" stroke-width=\"3\"");
    Text(kMargin, top + kPlanHeight + 8,
         Number(bar) +
             " km; track coloured by curvature: grey "
             "straight, blue gentle, red sharp");
  }

  void NorthArrow(double x, double y, bool turned) {
    out_ << "<g transform=\"translate(" << N(x) << "," << N(y) << ")"
         << (turned ? " rotate(90)" : "")
         << "\"><path d=\"M0,-18 L6,6 L0,1 L-6,6 Z\" fill=\"#333\"/>"
         << "<text x=\"0\" y=\"-22\" text-anchor=\"middle\" font-size=\"12\">N</text></g>\n";
  }

  // A frame with its kilometre axis and value axis, and the values along it.
  void Chart(double top, const std::string& title, const std::vector<double>& values,
             const char* colour, bool stepped, const std::function<void(double)>& extra) {
    double low = values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    double high = values.empty() ? 1 : *std::max_element(values.begin(), values.end());
    if (high - low < 1e-9) low -= 1, high += 1;
    const double step = NiceStep(high - low, 4);
    low = std::floor(low / step) * step, high = std::ceil(high / step) * step;
    low_ = low, high_ = high, top_ = top;
    out_ << "<rect x=\"" << N(kMargin) << "\" y=\"" << N(top) << "\" width=\""
         << N(kWidth - 2 * kMargin) << "\" height=\"" << N(kBand)
         << "\" fill=\"none\" stroke=\"#ccc\"/>\n";
    Text(kMargin, top - 6, title, "font-weight=\"bold\"");
    for (double v = low; v <= high + step / 2; v += step) {
      Line(kMargin - 4, Y(v), kWidth - kMargin, Y(v), "stroke=\"#eee\"");
      Text(kMargin - 8, Y(v) + 4, Number(v), "text-anchor=\"end\" font-size=\"10\"");
    }
    const double km_step = NiceStep(length_, 12);
    for (double km = 0; km <= length_ + 1e-9; km += km_step) {
      Line(X(km), top + kBand, X(km), top + kBand + 4, "stroke=\"#999\"");
      Text(X(km), top + kBand + 15, Number(km), "text-anchor=\"middle\" font-size=\"10\"");
    }
    Text(kWidth - kMargin + 6, top + kBand + 15, "km", "font-size=\"10\"");
    if (extra) extra(top);
    out_ << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.3\" points=\"";
    for (std::size_t i = 0; i < values.size() && i < km_.size(); ++i) {
      if (stepped && i > 0) out_ << N(X(km_[i])) << "," << N(Y(values[i - 1])) << " ";
      out_ << N(X(km_[i])) << "," << N(Y(values[i])) << " ";
    }
    out_ << "\"/>\n";
  }
  double Y(double value) const { return top_ + kBand - (value - low_) / (high_ - low_) * kBand; }

  void Shade(const Json& spans, const std::string& fill,
             const std::function<std::string(const Json&)>& label) {
    std::vector<Box> placed;
    for (const Json& span : spans) {
      const double x0 = X(span["from"]), x1 = X(span["to"]);
      out_ << "<rect x=\"" << N(x0) << "\" y=\"" << N(top_) << "\" width=\""
           << N(std::max(1.0, x1 - x0)) << "\" height=\"" << N(kBand) << "\" fill=\"" << fill
           << "\"/>\n";
      if (label) Label(placed, x0 + 2, top_ + 12, label(span), "fill=\"#900\" font-size=\"10\"");
    }
  }
  void Tunnels(double) { Shade(d_["tunnels"], "rgba(120,120,120,0.2)", nullptr); }
  void SlowDowns(double) {
    Shade(d_["slowdowns"], "rgba(214,39,40,0.2)",
          [](const Json& z) { return std::to_string(z["speed"].get<int>()) + " km/h"; });
  }
  void TextBoards(double) {
    for (const Json& b : d_["boards"]) {
      if (b["kind"] == "text")
        Line(X(b["km"]), top_ + kBand - 10, X(b["km"]), top_ + kBand, "stroke=\"#8c564b\"");
    }
  }
  void Boards(double) {
    std::vector<Box> placed;
    for (const Json& b : d_["boards"]) {
      if (b["kind"] != "speed") continue;
      const double x = X(b["km"]), y = Y(b["speed"].get<double>());
      out_ << "<path d=\"M" << N(x) << "," << N(y - 6) << " l-4,6 l8,0 z\" fill=\"#2ca02c\"/>\n";
      Label(placed, x + 3, y - 8, std::to_string(b["speed"].get<int>()),
            "fill=\"#2ca02c\" font-size=\"10\"");
    }
  }

  // Signals and braking points as ticks; stations with their times, the
  // labels in three staggered rows, a label that finds no room left out.
  void Features(double top) {
    Text(kMargin, top - 6, "signals (blue), braking points (orange), stations with their times",
         "font-weight=\"bold\"");
    for (const Json& f : d_["features"]) {
      const std::string kind = f["kind"];
      const double x = X(f["km"]);
      if (kind == "signal") Line(x, top + 2, x, top + 18, "stroke=\"#1f77b4\"");
      if (kind.starts_with("braking point"))
        Line(x, top + 22, x, top + 34, "stroke=\"#e8a200\" stroke-width=\"2\"");
    }
    // Stations with a time are placed first: they say the most.
    std::vector<const Json*> stations;
    for (const Json& s : d_["stations"]) stations.push_back(&s);
    std::stable_partition(stations.begin(), stations.end(),
                          [](const Json* s) { return !(*s)["time"].get<std::string>().empty(); });
    std::vector<Box> placed;
    for (const Json* s : stations) {
      const double x = X((*s)["km"]);
      Line(x, top + 38, x, top + 46, "stroke=\"#444\"");
      std::string label = (*s)["name"];
      const std::string time = (*s)["time"];
      if (!time.empty()) label.append(" ").append(time);
      for (int row = 0; row < 4; ++row) {
        if (Label(placed, x - 2, top + 60 + 14 * row, label, "class=\"station\" font-size=\"10\""))
          break;
      }
    }
  }

  const Json& d_;
  double length_;
  std::vector<double> km_;
  std::ostringstream out_;
  double scale_ = 1, plan_x_ = 0, plan_y_ = 0, low_ = 0, high_ = 1, top_ = 0;
};

}  // namespace

std::string MapSvg(const Json& data) {
  return Page(data).Svg();
}

}  // namespace tarvosa::tool
