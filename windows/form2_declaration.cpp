#include "windows/form2_declaration.h"

#include "resources/resource_ids.h"
#include "windows/texts.h"

namespace tallow {
namespace {

constexpr int kMenuText = 7;  // the platform's system colour "menu text"
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr FontChoice kFont{{L"Times New Roman"}, 8.25, 400};

constexpr ControlRow kControls[] = {
    {122, "Label2", ControlKind::kLabel, kAboutKeywordHint, {120, 1680, 3975, 1335}, {}, nullptr, true, kWhite},
    {121, "Label1", ControlKind::kLabel, kAboutCreditText, {0, 0, 3975, 1335}, {}, nullptr, true, kWhite},
};

}  // namespace

extern constexpr FormDeclaration kForm2Declaration{
    kForm2Class,
    L"aB0uT \u2122Tallow Divod\u2122",
    Border::kFixedSingle,
    4020,
    3255,  // 268 x 217 pixels at 96 DPI
    SystemColour(kMenuText),
    0,
    IDI_ABOUT,
    &kFont,
    Placement::kCentred,
    kControls,
};

}  // namespace tallow
