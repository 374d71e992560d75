#pragma once
// What one subsystem offers another. The shell cannot include the forms of the
// subsystems built on it, so they reach each other through these, and main()
// wires the real forms in.

#include <functional>

namespace rg::ui {
class Form;
}

namespace rg::app {

struct Services {
  // The inlet list that the Design loop shows again and again.
  std::function<ui::Form&()> inlet_list;
};

}  // namespace rg::app
