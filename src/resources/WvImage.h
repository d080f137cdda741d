#pragma once
// Picture button: a windowless image that shows one of up to eight pictures and changes it
// when pressed, released, entered, left, enabled or disabled.

#include <string>

#include "resources/UiStr.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

enum TWvImageStyle : int {
    gsButton = 0,      // pictures change only on enter, leave, enable and disable
    gsPushButton = 1,  // picture 1 while pressed
    gsTabButton = 2,   // picture 1 when pressed; other tabs of its group back to 0
};

enum TWvImageSource : int {
    gsrcImageList = 0,  // pictures from ImageList
    gsrcImage = 1,      // pictures from Image0 to Image7
};

// Control messages of mouse entry and exit, as routed by Dispatch.
inline constexpr UINT CM_MOUSEENTER = 0xB013;
inline constexpr UINT CM_MOUSELEAVE = 0xB014;

// Picture indexes: 0 normal, 1 pressed or selected, 2 mouse over, 3 disabled; 4 to 7 free.
// OnMouseEnter and OnMouseLeave (inherited) run only while the control is enabled.
class TWvImage;

// A push button of pictures on `form` (owner and parent): normal, pressed and disabled faces
// from the repository's images, any of which may be missing; hints shown.
TWvImage* MakePushButton(TWinControl* form, int left, int top, int width, int height, TImage* normal,
                         TImage* down, TImage* disabled);

// A page tab of pictures (normal, selected, disabled), sized to its normal picture (24 x 26
// without one), with the hand cursor.
TWvImage* MakeTabButton(TWinControl* form, int left, int top, TImage* normal, TImage* down, TImage* disabled);

// Makers shared by the skinned windows of several subsystems (in a namespace of their own
// so that a window's local helpers of the same name stay unambiguous).
namespace skin {

// An interface text of the repository, empty while there is none.
std::string UiText(std::string CUISTR::*member);

// A picture button of the given style showing normal (16 x 16 without one), with down while
// pressed or selected; hand cursor, hints shown.
TWvImage* MakePictureButton(TWinControl* parent, int left, int top, TImage* normal, TImage* down,
                            TWvImageStyle style);

// A picture of the repository placed at (left, top) and sized to it.
TImage* MakePicture(TWinControl* parent, int left, int top, const TImage* source);

// A one-line label of fixed width at (left, top) that ends a longer text with an ellipsis;
// its text from the string table when member is given.
TLabel* MakeLabel(TWinControl* parent, int left, int top, int width, std::string CUISTR::*member = nullptr,
                  TAlignment alignment = taLeftJustify);

} // namespace skin

class TWvImage : public TImage {
public:
    static constexpr int kImageCount = 8;

    explicit TWvImage(TComponent* AOwner);
    explicit TWvImage(const TControlArgs& Args);
    ~TWvImage() override;

    int ImageIndex() const { return imageIndex_; }
    // Shows picture index; an index outside 0 to 7, a slot that names no control or a
    // missing list leaves the picture and ImageIndex as they are.
    void SetImageIndex(int index);

    TImage* Image0() const { return images_[0]; }
    void SetImage0(TImage* image);          // shows it at once, ImageIndex 0
    TImage* GetImage(int i) const;          // null outside 0 to 7
    void SetImage(int i, TImage* image);    // no repaint; ignored outside 0 to 7

    TImageList* ImageList() const { return imageList_; }
    void SetImageList(TImageList* list);

    TWvImageStyle ImageStyle = gsButton;
    TWvImageSource ImageSource = gsrcImageList;
    bool MouseOverEffect = false;
    bool m_bMouseInside = false;

    void Loaded() override;
    void SetEnabled(bool value) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;

    // CM_MOUSEENTER and CM_MOUSELEAVE go to CMMouseEnter and CMMouseLeave; other messages
    // have no handler on a windowless control.
    void Dispatch(TMessage& Message);

private:
    void ShowPictureOf(TImage* source);

    TImageList* imageList_ = nullptr;
    int imageIndex_ = 0;
    TImage* images_[kImageCount] = {};
};
