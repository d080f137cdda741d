#include <gtest/gtest.h>

#include "mainwindow/Docking.h"

namespace {

TEST(FormMainDocking, ExactEdgesDockAndOnePixelOffDoesNot)
{
    const int T = 100, L = 200, H = 162, W = 395;
    struct Case { int t, l, h, w; bool docked; };
    const Case cases[] = {
        {T + H, L, 300, 395, true},        // below
        {T + H + 1, L, 300, 395, false},
        {T, L + W, 400, 300, true},        // right
        {T, L + W + 1, 400, 300, false},
        {T, L - 300, 400, 300, true},      // left
        {T - 50, L, 50, 395, true},        // above
        {T + H, L + 30, 50, 100, true},    // below, shifted inside the span
        {T + H, L + W + 1, 50, 100, false},
        {T + 40, L + W, 50, 100, true},    // right, shifted inside the height
        {T + H + 1, L + W, 50, 100, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDockedRect(c.t, c.l, c.h, c.w, T, L, H, W), c.docked) << c.t << "," << c.l;
}

}  // namespace
