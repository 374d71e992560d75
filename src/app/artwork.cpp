#include "app/artwork.h"

namespace rg::app {

namespace {

using ui::Shape;
using Points = std::vector<std::pair<double, double>>;

constexpr std::uint32_t kConcrete = 0xB8B8B0;
constexpr std::uint32_t kAsphalt = 0x4A4A4E;
constexpr std::uint32_t kWater = 0x3C8DD6;
constexpr std::uint32_t kIron = 0x2B2B2B;
constexpr std::uint32_t kInk = 0x1F3A5F;

Shape polygon(Points points, std::uint32_t fill, std::uint32_t pen = 0x303030) {
  Shape s;
  s.type = Shape::Type::Polygon;
  s.points = std::move(points);
  s.fill = fill;
  s.pen = pen;
  s.filled = true;
  return s;
}

Shape rect(double x0, double y0, double x1, double y1, std::uint32_t fill, std::uint32_t pen = 0x303030) {
  Shape s;
  s.type = Shape::Type::Rect;
  s.points = {{x0, y0}, {x1, y1}};
  s.fill = fill;
  s.pen = pen;
  s.filled = true;
  return s;
}

Shape line(double x0, double y0, double x1, double y1, std::uint32_t pen, double width) {
  Shape s;
  s.type = Shape::Type::Line;
  s.points = {{x0, y0}, {x1, y1}};
  s.pen = pen;
  s.pen_width = width;
  return s;
}

Shape text(double x, double y, std::string t, double size, std::uint32_t pen, bool bold) {
  Shape s;
  s.type = Shape::Type::Text;
  s.points = {{x, y}};
  s.text = std::move(t);
  s.text_size = size;
  s.pen = pen;
  s.bold = bold;
  return s;
}

// A curb-and-gutter cross-section with a grate inlet and the gutter flow, drawn
// into the box (x, y, w, h).
void add_inlet_section(std::vector<Shape>& shapes, double x, double y, double w, double h) {
  auto X = [&](double u) { return x + u * w; };
  auto Y = [&](double v) { return y + v * h; };
  // Pavement sloping down to the gutter, the gutter, the curb.
  shapes.push_back(polygon({{X(0.0), Y(0.52)}, {X(0.62), Y(0.62)}, {X(0.62), Y(0.80)}, {X(0.0), Y(0.80)}},
                           kAsphalt));
  shapes.push_back(polygon({{X(0.62), Y(0.62)}, {X(0.80), Y(0.70)}, {X(0.80), Y(0.80)}, {X(0.62), Y(0.80)}},
                           kConcrete));
  shapes.push_back(polygon({{X(0.80), Y(0.30)}, {X(0.92), Y(0.30)}, {X(0.92), Y(0.80)}, {X(0.80), Y(0.80)}},
                           kConcrete));
  // The water in the gutter, spreading onto the pavement.
  shapes.push_back(polygon({{X(0.38), Y(0.585)}, {X(0.62), Y(0.62)}, {X(0.80), Y(0.70)}, {X(0.80), Y(0.585)}},
                           kWater, kWater));
  // The grate in the gutter and the inlet box below it.
  shapes.push_back(rect(X(0.64), Y(0.80), X(0.80), Y(0.98), 0x6B6B6B));
  for (int i = 0; i < 4; ++i) {
    const double u = 0.655 + 0.04 * i;
    shapes.push_back(line(X(u), Y(0.63 + 0.03 * i), X(u), Y(0.80), kIron, 2.0));
  }
  // Rain.
  for (int i = 0; i < 9; ++i) {
    const double u = 0.05 + 0.1 * i;
    shapes.push_back(line(X(u), Y(0.05 + 0.04 * (i % 3)), X(u - 0.03), Y(0.22 + 0.04 * (i % 3)), kWater, 1.5));
  }
}

}  // namespace

ui::Drawing inlet_logo() {
  ui::Drawing d;
  d.width = 200;
  d.height = 150;
  d.background = 0xF4F7FB;
  add_inlet_section(d.shapes, 0, 0, 200, 150);
  return d;
}

ui::Drawing main_backdrop() {
  ui::Drawing d;
  d.width = 800;
  d.height = 520;
  d.background = 0xE9EEF4;
  add_inlet_section(d.shapes, 80, 130, 640, 360);
  d.shapes.push_back(text(40, 20, "Ravelgrit", 44, kInk, true));
  d.shapes.push_back(text(44, 80, "Hydraulic design of storm-drain inlets", 18, kInk, false));
  return d;
}

}  // namespace rg::app
