#pragma once

#include "resources/resource_ids.h"
#include "runtime/form_declaration.h"
#include "windows/texts.h"

namespace tallow {

inline constexpr wchar_t kForm2Class[] = L"TallowDivod.Form2";

// Its rows, in the header as the main window's are.
namespace form2 {

inline constexpr int kMenuText = 7;  // the platform's system colour "menu text"
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr FontChoice kFont{.faces = {L"Times New Roman"}, .points = 8.25, .weight = 400};

inline constexpr ControlRow kControls[] = {
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

}  // namespace form2

// The About window: a credit paragraph and the keyword hint, white on the
// "menu text" colour. It has no handlers and is never made topmost.
inline constexpr FormDeclaration kForm2Declaration{
    .windowClass = kForm2Class,
    .caption = L"aB0uT \u2122Tallow Divod\u2122",
    .border = Border::kFixedSingle,
    .width = 4020,
    .height = 3255,  // 268 x 217 pixels at 96 DPI
    .background = SystemColour(form2::kMenuText),
    .iconId = IDI_ABOUT,
    .font = &form2::kFont,
    .placement = Placement::kCentred,
    .controls = form2::kControls,
};

}  // namespace tallow
