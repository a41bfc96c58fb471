#include "windows/form2_declaration.h"

#include "resources/resource_ids.h"
#include "windows/texts.h"

namespace tallow {
namespace {

constexpr int kMenuText = 7;  // the platform's system colour "menu text"
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr FontChoice kFont{.faces = {L"Times New Roman"}, .points = 8.25, .weight = 400};

constexpr ControlRow kControls[] = {
    {.id = 122,
     .name = "Label2",
     .kind = ControlKind::kLabel,
     .text = kAboutKeywordHint,
     .rect = {.left = 120, .top = 1680, .width = 3975, .height = 1335},
     .transparent = true,
     .textColour = kWhite},
    {.id = 121,
     .name = "Label1",
     .kind = ControlKind::kLabel,
     .text = kAboutCreditText,
     .rect = {.left = 0, .top = 0, .width = 3975, .height = 1335},
     .transparent = true,
     .textColour = kWhite},
};

}  // namespace

extern constexpr FormDeclaration kForm2Declaration{
    .windowClass = kForm2Class,
    .caption = L"aB0uT \u2122Tallow Divod\u2122",
    .border = Border::kFixedSingle,
    .width = 4020,
    .height = 3255,  // 268 x 217 pixels at 96 DPI
    .background = SystemColour(kMenuText),
    .iconId = IDI_ABOUT,
    .font = &kFont,
    .placement = Placement::kCentred,
    .controls = kControls,
};

}  // namespace tallow
