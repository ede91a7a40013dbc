// Colour arithmetic: highlight and grey tones.
#include "CUtilityVisual.h"
#include "DrawTestUtil.h"

TEST(Hilight, MovesEveryChannelAndClamps)
{
    EXPECT_EQ(0x00FFFFFFu, CUtilityVisual::Hilight(0x00FFFFFF, 10));
    EXPECT_EQ(0x00000010u, CUtilityVisual::Hilight(0x00102030, -0x20));
    EXPECT_EQ(0x003C2C1Cu, CUtilityVisual::Hilight(0x00302010, 12));
    // The top byte of the input is dropped.
    EXPECT_EQ(0x00112233u, CUtilityVisual::Hilight(0xFF112233, 0));
    EXPECT_EQ(0x00000000u, CUtilityVisual::Hilight(0x00FFFFFF, -300));
    EXPECT_EQ(0x00FFFFFFu, CUtilityVisual::Hilight(0x00000000, 256));
}

TEST(Hilight, ChannelFormUpdatesCallerValues)
{
    int r = 300, g = 20, b = -5;
    EXPECT_EQ(0x000014FFu, CUtilityVisual::Hilight(r, g, b, 0));
    EXPECT_EQ(255, r);
    EXPECT_EQ(20, g);
    EXPECT_EQ(0, b);

    r = 100, g = 250, b = 10;
    EXPECT_EQ(0x0028FF82u, CUtilityVisual::Hilight(r, g, b, 30));
    EXPECT_EQ(130, r);
    EXPECT_EQ(255, g);
    EXPECT_EQ(40, b);
}

TEST(ToGray, UsesItsOwnWeightsAndTruncates)
{
    EXPECT_EQ(0x00191919u, CUtilityVisual::ToGray(0x000000FF));  // red weighs 0.1
    EXPECT_EQ(0x00999999u, CUtilityVisual::ToGray(0x0000FF00));  // green 0.6
    EXPECT_EQ(0x004C4C4Cu, CUtilityVisual::ToGray(0x00FF0000));  // blue 0.3
    EXPECT_EQ(0x00FFFFFFu, CUtilityVisual::ToGray(0x00FFFFFF));
    EXPECT_EQ(0x00000000u, CUtilityVisual::ToGray(0x00000000));
    // The sum for a mid grey falls just short of 128.
    EXPECT_EQ(0x007F7F7Fu, CUtilityVisual::ToGray(0x00808080));
    EXPECT_EQ(0x00000000u, CUtilityVisual::ToGray(0xFF000000) & 0xFF000000);
}
