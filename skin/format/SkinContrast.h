// The skin checker's contrast warnings: each text the engine draws, in the
// colour the skin gives it, against the face it is drawn on (the skin's face
// colour, or the mean colour of the middle of the picture frame under it),
// measured as the relative-luminance contrast ratio of the web content
// accessibility guidelines. Enabled text needs 4.5:1, disabled text 3:1.
#pragma once

#include "skin/format/SkinCheck.h"
#include "skin/format/SkinCheckDescription.h"
#include "skin/format/SkinCheckPictures.h"
#include "skin/format/SkinDescription.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

inline constexpr double EnabledTextContrast = 4.5;
inline constexpr double DisabledTextContrast = 3.0;

// The relative luminance of 0xRRGGBB, 0 (black) ... 1 (white).
double RelativeLuminance(std::uint32_t rgb);
// (lighter + 0.05) / (darker + 0.05): 1 ... 21.
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// A colour value of the description as 0xRRGGBB; a system colour as the
// standard Windows scheme has it.
std::uint32_t ResolvedColour(TSkinColour colour);

struct TContrastContext {
    const TQuickIni& Ini;
    const TDescription& Description;
    const std::string& File;
    const std::vector<TLoadedPicture>& Pictures;
    std::vector<TSkinFinding>& Findings;
};

// Adds a warning for each text of too little contrast.
void CheckContrast(const TContrastContext& context);

} // namespace skin
