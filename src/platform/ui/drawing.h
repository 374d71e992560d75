#pragma once
// A picture described as shapes, so forms can carry their own artwork without
// image files and the front end can paint it at any size.

#include <cstdint>
#include <string>
#include <vector>

namespace rg::ui {

struct Shape {
  enum class Type { Line, Rect, Ellipse, Polygon, Text };
  Type type = Type::Rect;
  // Coordinates in the drawing's own units (0..width, 0..height). Line and Rect
  // and Ellipse use the first two points; Polygon all; Text the first point as
  // its top-left corner.
  std::vector<std::pair<double, double>> points;
  std::uint32_t pen = 0x000000;    // RGB
  std::uint32_t fill = 0xFFFFFF;   // RGB
  bool filled = false;
  double pen_width = 1.0;
  std::string text;
  double text_size = 10.0;         // in drawing units
  bool bold = false;
};

struct Drawing {
  double width = 0;
  double height = 0;
  std::uint32_t background = 0xFFFFFF;
  std::vector<Shape> shapes;
  bool empty() const { return shapes.empty(); }
};

}  // namespace rg::ui
