#pragma once

#include "resources/resource_ids.h"
#include "runtime/form_declaration.h"
#include "windows/form3.h"
#include "windows/texts.h"

namespace tallow {

inline constexpr wchar_t kForm3Class[] = L"TallowDivod.Form3";

// Its rows, in the header as the main window's are.
namespace form3 {

inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr FontChoice kFont{.faces = {L"Courier New"}, .points = 12, .weight = 700};

inline constexpr ControlRow kControls[] = {
    {.id = 121,
     .name = "Label1",
     .kind = ControlKind::kLabel,
     .text = kDedicationText,
     .rect = {.left = 0, .top = 0, .width = 2895, .height = 735},
     .font = &kFont,
     .transparent = true,
     .textColour = kWhite},
};

}  // namespace form3

// The dedication window: a photograph with a few words over it, made
// topmost by Form3 every time it loads.
inline constexpr FormDeclaration kForm3Declaration{
    .windowClass = kForm3Class,
    .caption = L"Juniper.........",
    .border = Border::kFixedSingle,
    .width = 4575,
    .height = 4500,  // 305 x 300 pixels at 96 DPI; the photograph is clipped to it
    .background = form3::kWhite,
    .pictureId = IDR_DEDICATION_PHOTO,
    .iconId = IDI_DEDICATION,
    .placement = Placement::kCentred,
    .controls = form3::kControls,
    .load = On<&Form3::Form_Load>,
};

}  // namespace tallow
