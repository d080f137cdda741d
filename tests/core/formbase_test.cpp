#include "core/FormBase.h"
#include "core/Settings.h"
#include "../ui/UiTestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const COLORREF kKey = RGB(255, 0, 0);
const COLORREF kOther = RGB(0, 128, 0);

using Rects = std::vector<RECT>;

Rects RectsOf(const TPicture& picture, COLORREF key)
{
    Rects rects(CountRegionRects(picture, key));
    FillRegionRects(picture, rects.data(), key);
    return rects;
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RegionRects, OneRectanglePerRunOfNonKeyPixels)
{
    // key other other / other key other
    TPicture picture = MakePicture(3, 2, [](int x, int y) {
        return (y == 0 && x == 0) || (y == 1 && x == 1) ? kKey : kOther;
    });
    Rects rects = RectsOf(picture, kKey);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_TRUE(Same(rects[0], RECT{1, 0, 3, 1}));
    EXPECT_TRUE(Same(rects[1], RECT{0, 1, 1, 2}));
    EXPECT_TRUE(Same(rects[2], RECT{2, 1, 3, 2}));
}

TEST(RegionRects, RunAtTheRightEdgeEndsAtTheWidth)
{
    TPicture picture = MakePicture(5, 1, [](int x, int) { return x == 4 ? kOther : kKey; });
    Rects rects = RectsOf(picture, kKey);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(Same(rects[0], RECT{4, 0, 5, 1}));
}

TEST(RegionRects, AllKeyOrEmptyPictureGivesNoRegion)
{
    TPicture allKey = MakePicture(4, 4, [](int, int) { return kKey; });
    EXPECT_EQ(CountRegionRects(allKey, kKey), 0);
    EXPECT_EQ(CountRegionRects(TPicture(), kKey), 0);
    EXPECT_EQ(CreateRegionFromRects(0, nullptr), nullptr);
}

// Records the region calls of the builder and can fail one of them.
struct RegionCalls {
    static inline std::vector<DWORD> sizes;
    static inline std::vector<DWORD> counts;
    static inline std::vector<HRGN> made;
    static inline int failAt = -1;
    static HRGN WINAPI Create(const XFORM* xf, DWORD size, const RGNDATA* data)
    {
        sizes.push_back(size);
        counts.push_back(data->rdh.nCount);
        if (static_cast<int>(counts.size()) - 1 == failAt)
            return nullptr;
        HRGN region = ExtCreateRegion(xf, size, data);
        made.push_back(region);
        return region;
    }
};

Rects Stripes(int n)
{
    Rects rects;
    for (int i = 0; i < n; ++i)
        rects.push_back(RECT{(i % 2) * 2, i, (i % 2) * 2 + 1, i + 1});
    return rects;
}

TEST(RegionBuilder, BuildsInBatchesOfAThousandWithOneBuffer)
{
    RegionBuilderExtCreateRegion = RegionCalls::Create;
    Rects rects = Stripes(2500);
    HRGN region = CreateRegionFromRects(2500, rects.data());
    RegionBuilderExtCreateRegion = ExtCreateRegion;
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(RegionCalls::counts, (std::vector<DWORD>{1000, 1000, 500}));
    EXPECT_EQ(RegionCalls::sizes, (std::vector<DWORD>{32 + 16 * 1000, 32 + 16 * 1000, 32 + 16 * 1000}));
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 2, 2499));
    EXPECT_TRUE(PtInRegion(region, 0, 1500));
    EXPECT_FALSE(PtInRegion(region, 0, 2500));
    // The later batches are freed once combined.
    EXPECT_EQ(GetObjectType(RegionCalls::made[1]), 0u);
    DeleteObject(region);
}

TEST(RegionBuilder, FailingLaterBatchRaisesAndFreesTheRegionBuiltSoFar)
{
    RegionCalls::failAt = 1;
    RegionBuilderExtCreateRegion = RegionCalls::Create;
    Rects rects = Stripes(1500);
    try {
        CreateRegionFromRects(1500, rects.data());
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "!hBatchRgn");
    }
    RegionBuilderExtCreateRegion = ExtCreateRegion;
    ASSERT_EQ(RegionCalls::made.size(), 1u);
    EXPECT_EQ(GetObjectType(RegionCalls::made[0]), 0u);
}

// Two plain windows: the main one at (300, 300) 200 x 100, the other 100 x 50.
class SnapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = new TForm(nullptr);
        main->SetBorderStyle(bsNone);
        main->SetBounds(300, 300, 200, 100);
        other = new TForm(nullptr);
        other->SetBorderStyle(bsNone);
        other->SetBounds(0, 0, 100, 50);
    }
    void TearDown() override
    {
        delete other;
        delete main;
    }
    TForm* main = nullptr;
    TForm* other = nullptr;
};

struct SnapCase {
    const char* name;
    int left, top;
    bool moved;
    int wantLeft, wantTop;
};

class SnapCases : public SnapTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(SnapCases, DocksWithinTheThreshold)
{
    const SnapCase& c = GetParam();
    other->SetBounds(c.left, c.top, 100, 50);
    EXPECT_EQ(SnapToWindow(other, main, 20), c.moved);
    EXPECT_EQ(other->Left(), c.wantLeft);
    EXPECT_EQ(other->Top(), c.wantTop);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SnapCases,
    ::testing::Values(
        SnapCase{"below20", 350, 420, true, 350, 400},  // 20 below: docks at the bottom
        SnapCase{"below21", 350, 421, false, 350, 421},
        SnapCase{"above", 350, 235, true, 350, 250},    // bottom 15 above the top
        SnapCase{"rightThenTop", 510, 310, true, 500, 300},  // right side, tops aligned
        SnapCase{"leftThenBottom", 185, 345, true, 200, 350},
        SnapCase{"belowThenLeft", 310, 405, true, 300, 400},
        SnapCase{"belowThenRight", 385, 410, true, 400, 400},
        SnapCase{"farAway", 0, 0, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapTest, TheMainWindowItselfNeverMoves)
{
    EXPECT_FALSE(SnapToWindow(main, main, 20));
    EXPECT_EQ(main->Left(), 300);
    EXPECT_EQ(main->Top(), 300);
}

class TTestPage : public TFrameBase {
public:
    TTestPage(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TFrameBase(owner), log_(log), name_(std::move(name))
    {
    }
    void OnEnterPage() override { log_.push_back(name_ + " enter"); }
    bool OnLeavePage() override
    {
        log_.push_back(name_ + " leave");
        return mayLeave;
    }
    bool mayLeave = true;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class TTestForm : public TFormBase {
public:
    explicit TTestForm(TComponent* owner) : TFormBase(owner)
    {
        page1 = new TTestPage(this, log, "p1");
        page2 = new TTestPage(this, log, "p2");
    }
    std::vector<std::string> log;
    TTestPage* page1;
    TTestPage* page2;
};

TEST(SwitchPage, AskingThePageToLeaveAndEnteringTheNewOne)
{
    TTestForm form(nullptr);
    EXPECT_EQ(form.m_pCurrentPage, nullptr);
    EXPECT_EQ(form.Color(), WEVO_FORM_COLOR);
    EXPECT_EQ(form.page1->Color(), WEVO_FORM_COLOR);
    EXPECT_TRUE(form.SwitchPage(nullptr, form.page1));  // no one is asked
    EXPECT_EQ(form.m_pCurrentPage, form.page1);
    EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), form.page1->Handle());
    form.page1->mayLeave = false;
    EXPECT_FALSE(form.SwitchPage(form.page1, form.page2));
    EXPECT_EQ(form.m_pCurrentPage, form.page1);
    form.page1->mayLeave = true;
    EXPECT_TRUE(form.SwitchPage(form.page1, form.page2));
    EXPECT_EQ(form.m_pCurrentPage, form.page2);
    EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), form.page2->Handle());
    EXPECT_TRUE(form.SwitchPage(form.page2, nullptr));  // only asks
    EXPECT_EQ(form.m_pCurrentPage, form.page2);
    EXPECT_EQ(form.log, (std::vector<std::string>{"p1 enter", "p1 leave", "p1 leave", "p2 enter",
                                                  "p2 leave"}));
}

TEST(SetImagePosition, MovesOnlyWhenBothCoordinatesAreGiven)
{
    TFormBase form(nullptr);
    auto* image = new TImage(&form);
    image->SetBounds(5, 6, 10, 10);
    image->SetVisible(false);
    form.SetImagePosition(image, 0, 50, true);
    EXPECT_TRUE(image->Visible());
    EXPECT_EQ(image->Left(), 5);
    EXPECT_EQ(image->Top(), 6);
    form.SetImagePosition(image, 40, 50, true);
    EXPECT_EQ(image->Left(), 40);
    EXPECT_EQ(image->Top(), 50);
    form.SetImagePosition(image, 70, 80, false);
    EXPECT_FALSE(image->Visible());
    EXPECT_EQ(image->Left(), 40);
}

// A skinned window on a settings file of its own.
class SkinnedWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, dir);
        base = std::string(dir) + "\\formbase_" + std::to_string(GetCurrentProcessId());
        programPathOverride = [this] { return base + ".exe"; };
        DeleteFileA((base + ".ini").c_str());
    }
    void TearDown() override
    {
        programPathOverride = nullptr;
        DeleteFileA((base + ".ini").c_str());
    }
    void WriteKey(const char* key, const char* value)
    {
        WritePrivateProfileStringA("Transparency_Color_Key", key, value, (base + ".ini").c_str());
    }
    std::string base;
};

TEST_F(SkinnedWindowTest, CreationMakesTheWindowBorderlessAndCutsAwayTheKeyColour)
{
    WriteKey("Red", "511");  // only the low eight bits count: pure red
    WriteKey("Green", "0");
    WriteKey("Blue", "256");
    TFormBase* form = nullptr;
    Application->CreateForm(form);
    form->ImgBackground->SetPicture(MakePicture(40, 30, [](int x, int y) {
        return x < 10 && y < 10 ? kKey : kOther;
    }));
    form->FormCreate(form);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0);
    EXPECT_EQ(form->ClientWidth(), 40);
    EXPECT_EQ(form->Width(), 40);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    EXPECT_TRUE(PtInRegion(region, 15, 5));
    EXPECT_TRUE(PtInRegion(region, 5, 15));
    EXPECT_FALSE(PtInRegion(region, 40, 5));
    DeleteObject(region);
}

TEST_F(SkinnedWindowTest, DraggingTheBackgroundMovesTheWindowWithTheMouse)
{
    TFormBase* form = nullptr;
    Application->CreateForm(form);
    form->ImgBackground->SetPicture(MakePicture(60, 40, [](int, int) { return kOther; }));
    form->SetBounds(100, 100, form->Width(), form->Height());
    form->Show();
    HWND hwnd = form->Handle();
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    SendMouse(hwnd, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(form->m_nDownX, 10);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 13));
    EXPECT_EQ(form->Left(), 105);
    EXPECT_EQ(form->Top(), 103);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(form->Left(), 105);
}

}  // namespace
