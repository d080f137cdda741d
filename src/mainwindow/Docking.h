#pragma once
// Whether a window stands docked to the main window: exact pixel positions,
// no tolerance. Child t, l, h, w; main T, L, H, W.
inline bool IsDockedRect(int t, int l, int h, int w, int T, int L, int H, int W)
{
    if (t == T)
        return l == L + W || l == L - w;
    if (l == L)
        return t == T + H || t == T - h;
    if (t == T + H || t == T - h)
        return L - w <= l && l <= L + W;
    if (l == L + W || l == L - w)
        return T - h <= t && t <= T + H;
    return false;
}
