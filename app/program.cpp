#include "app/program.h"

#include "idler/form1_declaration.h"
#include "windows/form2_declaration.h"
#include "windows/form3_declaration.h"

namespace tallow {

Program::Program(const Platform& platform, FormPeers& peers, MessageBoxes& boxes)
    : module(platform),
      application(platform.pump),
      form2(kForm2Declaration, application, platform.clock.Awake(), peers),
      form3(kForm3Declaration, application, platform.clock.Awake(), peers),
      form1(kForm1Declaration, application, platform.clock.Awake(), peers),
      form3Handlers_(module, form3),
      form1Handlers_(module, form1, form2, form3, boxes) {}

}  // namespace tallow
