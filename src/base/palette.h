// The program's colours: one palette for every window and drawing. A colour is (red, green,
// blue), each 0-255; the drawing tier turns it into its canvas colour.
#pragma once

#include <cstdint>

namespace himlavy {

struct TColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  bool operator==(const TColor&) const = default;
};

// The sixteen named colours of the classic toolkit, and the light grey of the chart's faint
// stars.
namespace colours {
inline constexpr TColor kBlack{0, 0, 0};
inline constexpr TColor kMaroon{128, 0, 0};
inline constexpr TColor kGreen{0, 128, 0};
inline constexpr TColor kOlive{128, 128, 0};
inline constexpr TColor kNavy{0, 0, 128};
inline constexpr TColor kPurple{128, 0, 128};
inline constexpr TColor kTeal{0, 128, 128};
inline constexpr TColor kGray{128, 128, 128};
inline constexpr TColor kSilver{192, 192, 192};
inline constexpr TColor kRed{255, 0, 0};
inline constexpr TColor kLime{0, 255, 0};
inline constexpr TColor kYellow{255, 255, 0};
inline constexpr TColor kBlue{0, 0, 255};
inline constexpr TColor kFuchsia{255, 0, 255};
inline constexpr TColor kAqua{0, 255, 255};
inline constexpr TColor kWhite{255, 255, 255};
inline constexpr TColor kLightGrey{224, 224, 224};
}  // namespace colours

}  // namespace himlavy
