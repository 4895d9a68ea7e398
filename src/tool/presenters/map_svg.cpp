#include "tool/presenters/map_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "tool/presenters/map_labels.h"
#include "tool/presenters/map_stations.h"
#include "tool/presenters/map_writer.h"
#include "util/escape.h"

namespace tarvosa::tool {
namespace {

constexpr double kWidth = 1600, kMargin = 70, kPlanHeight = 760, kBand = 130, kGap = 44;

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

class Page : public SvgWriter {
 public:
  explicit Page(const Json& data) : d_(data), length_(data["length"].get<double>()) {
    const Json& km = d_["cells"]["km"];
    for (std::size_t i = 0; i < km.size(); ++i) km_.push_back(km[i].get<double>());
  }

  std::string Svg() {
    Text(kMargin, 32, d_["title"].get<std::string>() + "  (" + Number(length_) + " km)",
         "font-size=\"20\" font-weight=\"bold\"");
    Plan(50);
    double top = 50 + kPlanHeight + kGap;
    const auto values = [&](const char* key) { return Values(d_["cells"][key]); };
    Chart(top, "elevation (m, from the gradients); tunnels shaded, text boards ticked",
          values("elevation"), {}, "#8c564b", false,
          [&](LabelLayout&) { Tunnels(), TextBoards(); });
    Chart(top += kBand + kGap,
          "line speed (km/h); speed boards with their speeds, slow-downs shaded", values("speed"),
          BoardSpeeds(), "#1f77b4", true, [&](LabelLayout& l) { SlowDowns(l), Boards(l); });
    Chart(top += kBand + kGap, "adhesion", values("adhesion"), {}, "#9467bd", true, nullptr);
    Chart(top += kBand + kGap, "gradient (per mille)", values("gradient"), {}, "#ff7f0e", true,
          nullptr);
    Chart(top += kBand + kGap, "curvature (1/km, + to the right)", values("curvature"), {},
          "#17becf", false, nullptr);
    const double height = Features(top += kBand + kGap) + 30;
    // The viewBox lets the page scale to any window or sheet, its height
    // following its width.
    std::ostringstream page;
    page << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << N(kWidth) << " "
         << N(height) << "\" width=\"100%\" style=\"height:auto\" font-family=\"sans-serif\""
         << " font-size=\"11\">\n"
         << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
         << Written() << "</svg>\n";
    return page.str();
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
    std::vector<std::pair<double, double>> track, dots;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const auto p = at(i);
      if (track.empty() || i + 1 == xs.size() ||
          std::hypot(p.first - track.back().first, p.second - track.back().second) > 6) {
        track.push_back(p);
      }
    }
    for (const Json& s : d_["stations"]) dots.push_back(at(index(s["km"])));
    LabelLayout layout({4, top - 8, kWidth - 4, top + kPlanHeight - 18});
    layout.Block({kWidth - kMargin - 34, top, kWidth - kMargin - 6, top + 54});  // the north arrow
    PlanStations(*this, d_["stations"], layout, track, dots);
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
  // Its range takes in the values and `marks` (the boards' speeds); what is
  // drawn inside the frame is clipped to it.
  void Chart(double top, const std::string& title, const std::vector<double>& values,
             std::vector<double> marks, const char* colour, bool stepped,
             const std::function<void(LabelLayout&)>& extra) {
    marks.insert(marks.end(), values.begin(), values.end());
    double low = marks.empty() ? 0 : *std::min_element(marks.begin(), marks.end());
    double high = marks.empty() ? 1 : *std::max_element(marks.begin(), marks.end());
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
    // After the last value's label, which stands centred on the axis' end.
    const double last = std::floor(length_ / km_step + 1e-9) * km_step;
    Text(std::max(kWidth - kMargin + 6, X(last) + TextWidth(Number(last), 10) / 2 + 4),
         top + kBand + 15, "km", "font-size=\"10\"");
    ++charts_;
    out_ << "<clipPath id=\"plot" << charts_ << "\"><rect x=\"" << N(kMargin) << "\" y=\"" << N(top)
         << "\" width=\"" << N(kWidth - 2 * kMargin) << "\" height=\"" << N(kBand)
         << "\"/></clipPath>\n<g clip-path=\"url(#plot" << charts_ << ")\">\n";
    LabelLayout labels({kMargin + 1, top + 1, kWidth - kMargin - 1, top + kBand - 1});
    if (extra) extra(labels);
    out_ << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"1.3\" points=\"";
    for (std::size_t i = 0; i < values.size() && i < km_.size(); ++i) {
      if (stepped && i > 0) out_ << N(X(km_[i])) << "," << N(Y(values[i - 1])) << " ";
      out_ << N(X(km_[i])) << "," << N(Y(values[i])) << " ";
    }
    out_ << "\"/>\n</g>\n";
  }
  double Y(double value) const { return top_ + kBand - (value - low_) / (high_ - low_) * kBand; }

  void Shade(const Json& spans, const std::string& fill, LabelLayout* labels,
             const std::function<std::string(const Json&)>& label) {
    for (const Json& span : spans) {
      const double x0 = X(span["from"]), x1 = X(span["to"]);
      out_ << "<rect x=\"" << N(x0) << "\" y=\"" << N(top_) << "\" width=\""
           << N(std::max(1.0, x1 - x0)) << "\" height=\"" << N(kBand) << "\" fill=\"" << fill
           << "\"/>\n";
      if (!label) continue;
      const std::string text = label(span);
      const double w = TextWidth(text, 10);
      const auto at = [&](double x, double y) {
        return Placement{TextBox(x, y, w, 10), std::nullopt, 0};
      };
      if (const auto p = labels->Place({at(x0 + 2, top_ + 12), at(x0 + 2, top_ + 26)})) {
        Label(*p, 10, text, "fill=\"#900\"");
      }
    }
  }
  void Tunnels() { Shade(d_["tunnels"], "rgba(120,120,120,0.2)", nullptr, nullptr); }
  void SlowDowns(LabelLayout& labels) {
    Shade(d_["slowdowns"], "rgba(214,39,40,0.2)", &labels,
          [](const Json& z) { return std::to_string(z["speed"].get<int>()) + " km/h"; });
  }
  void TextBoards() {
    for (const Json& b : d_["boards"]) {
      if (b["kind"] == "text")
        Line(X(b["km"]), top_ + kBand - 10, X(b["km"]), top_ + kBand, "stroke=\"#8c564b\"");
    }
  }
  std::vector<double> BoardSpeeds() const {
    std::vector<double> speeds;
    for (const Json& b : d_["boards"])
      if (b["kind"] == "speed") speeds.push_back(b["speed"].get<double>());
    for (const Json& z : d_["slowdowns"]) speeds.push_back(z["speed"].get<double>());
    return speeds;
  }
  // Each board a triangle at its speed, its label beside it where there is
  // room; no label covers a triangle.
  void Boards(LabelLayout& labels) {
    std::vector<std::pair<double, double>> marks;
    for (const Json& b : d_["boards"]) {
      if (b["kind"] == "speed") marks.emplace_back(X(b["km"]), Y(b["speed"].get<double>()));
    }
    for (const auto& [x, y] : marks) {
      out_ << "<path d=\"M" << N(x) << "," << N(y - 6) << " l-4,6 l8,0 z\" fill=\"#2ca02c\"/>\n";
      labels.Block({x - 4, y - 6, x + 4, y});
    }
    std::size_t i = 0;
    double last_x = -1e9, last_y = 0;
    for (const Json& b : d_["boards"]) {
      if (b["kind"] != "speed") continue;
      const auto [x, y] = marks[i++];
      // A board right after one of the same speed says nothing new.
      if (x - last_x < 30 && y == last_y) continue;
      last_x = x, last_y = y;
      const std::string text = std::to_string(b["speed"].get<int>());
      const double w = TextWidth(text, 10);
      const auto at = [&](double left, double base) {
        return Placement{TextBox(left, base, w, 10), std::nullopt, 0};
      };
      if (const auto p = labels.Place(
              {at(x + 7, y - 4), at(x - 7 - w, y - 4), at(x + 7, y + 12), at(x - 7 - w, y + 12)})) {
        Label(*p, 10, text, "fill=\"#2ca02c\"", "", x);
      }
    }
  }

  // Signals and braking points as ticks; stations with their times, each
  // label upright under its tick or, where stations crowd, spread apart
  // and joined to its tick by a leader line. Returns where the labels end.
  double Features(double top) {
    Text(kMargin, top - 6, "signals (blue), braking points (orange), stations with their times",
         "font-weight=\"bold\"");
    for (const Json& f : d_["features"]) {
      const std::string kind = f["kind"];
      const double x = X(f["km"]);
      if (kind == "signal") Line(x, top + 2, x, top + 18, "stroke=\"#1f77b4\"");
      if (kind.starts_with("braking point"))
        Line(x, top + 22, x, top + 34, "stroke=\"#e8a200\" stroke-width=\"2\"");
    }
    std::vector<double> xs;
    for (const Json& st : d_["stations"]) xs.push_back(X(st["km"]));
    return StationRow(*this, d_["stations"], xs, top, kWidth);
  }

  const Json& d_;
  double length_;
  std::vector<double> km_;
  int charts_ = 0;
  double scale_ = 1, plan_x_ = 0, plan_y_ = 0, low_ = 0, high_ = 1, top_ = 0;
};

}  // namespace

std::string MapSvg(const Json& data) {
  return Page(data).Svg();
}

}  // namespace tarvosa::tool
