#pragma once
// The program's pictures, drawn as shapes: the inlet logo of the splash and About
// boxes, and the main window's backdrop.

#include "platform/ui/drawing.h"

namespace rg::app {

ui::Drawing inlet_logo();
ui::Drawing main_backdrop();

}  // namespace rg::app
