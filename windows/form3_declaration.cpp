#include "windows/form3_declaration.h"

#include "resources/resource_ids.h"
#include "windows/form3.h"
#include "windows/texts.h"

namespace tallow {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr FontChoice kFont{{L"Courier New"}, 12, 700};

constexpr ControlRow kControls[] = {
    {121, "Label1", ControlKind::kLabel, kDedicationText, {0, 0, 2895, 735}, {}, &kFont, true, kWhite},
};

}  // namespace

extern constexpr FormDeclaration kForm3Declaration{
    kForm3Class, L"Juniper.........",   Border::kFixedSingle, 4575,
    4500,  // 305 x 300 pixels at 96 DPI; the photograph is clipped to it
    kWhite,      IDR_DEDICATION_PHOTO,  IDI_DEDICATION,       nullptr, Placement::kCentred, kControls,
    {},          On<&Form3::Form_Load>,
};

}  // namespace tallow
