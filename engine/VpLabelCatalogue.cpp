#include "engine/VpLabelCatalogue.h"

#include <array>

namespace {

using enum TVpLabelTemplate;
constexpr TVpPaperSize kA4 = TVpPaperSize::A4;
constexpr TVpPaperSize kLetter = TVpPaperSize::Letter;

// Across, down, width, height, corner radius, horizontal pitch, vertical pitch, left offset,
// top offset. Herma's sheet is published in millimetres and kept that way so it reads back
// exactly in millimetres.
// clang-format off
constexpr std::array<TVpBuiltInLabelSheet, 19> kSheets{{
    {L7159_Address, {3, 8, 2.52L, 1.33L, 0.1L, 2.63L, 1.33L, 0.25L, 0.54L}, kA4, vpPortrait, vpInches},
    {L7160_Address, {3, 7, 2.5L, 1.5L, 0.1L, 2.6L, 1.5L, 0.28L, 0.63L}, kA4, vpPortrait, vpInches},
    {L7161_Address, {3, 6, 2.5L, 1.83L, 0.1L, 2.6L, 1.83L, 0.28L, 0.38L}, kA4, vpPortrait, vpInches},
    {L7162_Address, {2, 8, 3.9L, 1.33L, 0.1L, 4.0L, 1.33L, 0.18L, 0.54L}, kA4, vpPortrait, vpInches},
    {L7163_Address, {2, 7, 3.9L, 1.5L, 0.1L, 4.0L, 1.5L, 0.18L, 0.63L}, kA4, vpPortrait, vpInches},
    {L7164_Address, {3, 4, 2.5L, 2.83L, 0.1L, 2.6L, 2.83L, 0.28L, 0.21L}, kA4, vpPortrait, vpInches},
    {L7165_Parcel, {2, 4, 3.9L, 2.67L, 0.1L, 4.0L, 2.67L, 0.18L, 0.54L}, kA4, vpPortrait, vpInches},
    {L7166_Parcel, {2, 3, 3.9L, 3.67L, 0.1L, 4.0L, 3.67L, 0.18L, 0.38L}, kA4, vpPortrait, vpInches},
    {L7167_Shipping, {1, 1, 7.86L, 11.38L, 0.1L, 7.86L, 11.38L, 0.2L, 0.18L}, kA4, vpPortrait, vpInches},
    {L7168_Shipping, {1, 2, 7.86L, 5.65L, 0.1L, 7.86L, 5.65L, 0.18L, 0.22L}, kA4, vpPortrait, vpInches},
    {L7169_Parcel, {2, 2, 5.47L, 3.9L, 0.1L, 5.47L, 4.0L, 0.4L, 0.18L}, kA4, vpLandscape, vpInches},
    {L7170_Eurofolio, {1, 24, 5.28L, 0.43L, 0.1L, 5.28L, 0.43L, 1.5L, 0.68L}, kA4, vpPortrait, vpInches},
    {L7171_LeverArch, {4, 1, 2.36L, 7.88L, 0.1L, 2.36L, 7.88L, 1.15L, 0.2L}, kA4, vpLandscape, vpInches},
    {L7172_RingBinder, {2, 9, 3.94L, 1.18L, 0.1L, 4.04L, 1.18L, 0.15L, 0.56L}, kA4, vpPortrait, vpInches},
    {L7173_Shipping, {2, 5, 3.9L, 2.24L, 0.1L, 4.0L, 2.24L, 0.18L, 0.26L}, kA4, vpPortrait, vpInches},
    {L7263_Address, {2, 7, 3.9L, 1.5L, 0.1L, 4.0L, 1.5L, 0.18L, 0.63L}, kA4, vpPortrait, vpInches},
    {J8660_Diskette, {2, 5, 2.76L, 2.05L, 0.1L, 3.67L, 2.05L, 0.92L, 0.76L}, kA4, vpPortrait, vpInches},
    {Avery_5160_Address, {3, 10, 2.63L, 1.0L, 0.1L, 2.75L, 1.0L, 0.19L, 0.5L}, kLetter, vpPortrait, vpInches},
    {Herma_4209, {2, 16, 96, 16.9L, 2.54L, 98, 16.9L, 8, 12}, kA4, vpPortrait, vpMillimeters},
}};
// clang-format on

}  // namespace

std::span<const TVpBuiltInLabelSheet> BuiltInLabelSheets() { return kSheets; }
