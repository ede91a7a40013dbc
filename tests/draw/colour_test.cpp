// Colour arithmetic: highlight and grey tones.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

TEST(Colour, HilightMovesEveryChannelAndClampsGrayUsesItsOwnWeights) {
    const struct { COLORREF in; int step; COLORREF out; } hilights[] = {
        {0x00FFFFFF, 10, 0x00FFFFFF}, {0x00102030, -0x20, 0x00000010}, {0x00302010, 12, 0x003C2C1C},
        {0xFF112233, 0, 0x00112233},  // the top byte is dropped
        {0x00FFFFFF, -300, 0}, {0, 256, 0x00FFFFFF}};
    for (const auto& k : hilights)
        EXPECT_EQ(k.out, CUtilityVisual::Hilight(k.in, k.step)) << std::hex << k.in << " " << k.step;
    // The channel form clamps the caller's values as well.
    int r = 300, g = 250, b = -5;
    EXPECT_EQ(0x0019FFFFu, CUtilityVisual::Hilight(r, g, b, 30));
    EXPECT_EQ(255, r);
    EXPECT_EQ(255, g);
    EXPECT_EQ(25, b);

    // Red weighs 0.1, green 0.6, blue 0.3, and the sum is cut: mid grey falls just short of 128.
    const COLORREF grays[][2] = {{0x000000FF, 0x00191919}, {0x0000FF00, 0x00999999}, {0x00FF0000, 0x004C4C4C},
                                 {0x00FFFFFF, 0x00FFFFFF}, {0x00808080, 0x007F7F7F}, {0xFF000000, 0}};
    for (const auto& k : grays)
        EXPECT_EQ(k[1], CUtilityVisual::ToGray(k[0]) & 0x00FFFFFF) << std::hex << k[0];
}
