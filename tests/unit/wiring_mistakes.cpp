// Wiring mistakes that must stop the compile, for the tests "Wiring.*"
// (CMakeLists.txt), which compile this file alone: as it is it compiles;
// with MISTAKE 1 it names a control no row has, with 2 a timer no row has,
// with 3 a handler of another class than the one bound.
#include "idler/form1_declaration.h"
#include "windows/form3.h"

#ifndef MISTAKE
#define MISTAKE 0
#endif

namespace tallow {
namespace {

constexpr ControlRow kControls[] = {
    {.id = 101,
     .name = "Command1",
     .kind = ControlKind::kButton,
     .text = L"Start",
     .rect = {.left = 0, .top = 0, .width = 495, .height = 255},
     .click = MISTAKE == 3 ? On<&Form3::Form_Load> : On<&Form1::Command1_Click>},
};
constexpr FormDeclaration kWindow{.windowClass = L"Wiring",
                                  .caption = L"Wiring",
                                  .border = Border::kFixedSingle,
                                  .width = 1500,
                                  .height = 1500,
                                  .background = Rgb(255, 255, 255),
                                  .placement = Placement::kCentred,
                                  .controls = kControls};

}  // namespace

void Wire(DeclaredForm& form, Form1& handlers) {
  form.Bind<kWindow>(handlers);
  form.ControlAt(kForm1Declaration.ControlIndex(MISTAKE == 1 ? "Comand1" : "Command1"));
  form.TimerAt(kForm1Declaration.TimerIndex(MISTAKE == 2 ? "Timer3" : "Timer1"));
}

}  // namespace tallow
