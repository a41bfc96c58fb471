#include "windows/form3_declaration.h"

#include "resources/resource_ids.h"
#include "windows/form3.h"
#include "windows/texts.h"

namespace tallow {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr FontChoice kFont{.faces = {L"Courier New"}, .points = 12, .weight = 700};

constexpr ControlRow kControls[] = {
    {.id = 121,
     .name = "Label1",
     .kind = ControlKind::kLabel,
     .text = kDedicationText,
     .rect = {.left = 0, .top = 0, .width = 2895, .height = 735},
     .font = &kFont,
     .transparent = true,
     .textColour = kWhite},
};

}  // namespace

extern constexpr FormDeclaration kForm3Declaration{
    .windowClass = kForm3Class,
    .caption = L"Juniper.........",
    .border = Border::kFixedSingle,
    .width = 4575,
    .height = 4500,  // 305 x 300 pixels at 96 DPI; the photograph is clipped to it
    .background = kWhite,
    .pictureId = IDR_DEDICATION_PHOTO,
    .iconId = IDI_DEDICATION,
    .placement = Placement::kCentred,
    .controls = kControls,
    .load = On<&Form3::Form_Load>,
};

}  // namespace tallow
