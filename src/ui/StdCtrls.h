#pragma once
#include "ui/Controls.h"

enum TEllipsisPosition { epNone, epEndEllipsis };

// Windowless text, transparent by default, painted by its parent.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    explicit TLabel(const TControlArgs& Args);

    void SetCaption(const std::string& value) override;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);  // on by default: the label fits its text
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TEllipsisPosition EllipsisPosition() const { return ellipsis_; }
    void SetEllipsisPosition(TEllipsisPosition value);

    void Paint(HDC dc) override;

protected:
    void FontChanged() override;

private:
    void AdjustBounds();
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = true;
    TEllipsisPosition ellipsis_ = epNone;
};

// Push button. A ModalResult other than 0 becomes its form's modal result when clicked.
// Enter in its form presses the visible Default button, Esc the visible Cancel button.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    explicit TButton(const TControlArgs& Args);
    int ModalResult = 0;
    bool Default = false;
    bool Cancel = false;
    void Click() override;

protected:
    void CommandNotify(WORD Code) override;
};

// One-line edit. OnChange runs on every change of the text, also from code.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    explicit TEdit(const TControlArgs& Args);
    std::string Text() const;
    void SetText(const std::string& value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    void SetMaxLength(int value);
    void SetPasswordChar(char value);
    TNotifyEvent OnChange;

protected:
    void HandleCreated() override;
    void CommandNotify(WORD Code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
    char passwordChar_ = 0;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// Combo box. Items carry a value beside their text (Items().AddObject). Setting ItemIndex
// from code runs no handler; OnChange runs when the user picks or types.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner, TComboBoxStyle Style = csDropDownList);
    explicit TComboBox(const TControlArgs& Args, TComboBoxStyle Style = csDropDownList);
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int value);
    std::string Text() const;
    void SetText(const std::string& value);
    TComboBoxStyle Style() const { return style_; }
    // At most this many typed characters (0: no limit).
    void SetMaxLength(int value);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool value) { items_.SetSorted(value); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;  // the list is about to open

protected:
    void HandleCreated() override;
    void CommandNotify(WORD Code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    void ItemsChanged();
    void FillItems();
    TStrings items_;
    TComboBoxStyle style_;
    int index_ = -1;      // kept while there is no window
    int maxLength_ = 0;
};

// Check box; as wide as its caption needs at least. Setting Checked from code to a new value runs OnClick, as a click does.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    explicit TCheckBox(const TControlArgs& Args);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    // Widened to the box and the whole caption, never narrowed.
    void CaptionChanged() override;
    void BoundsChanged() override;
    void FontChanged() override;
    void HandleCreated() override;
    void CommandNotify(WORD Code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    bool checked_ = false;
};

// Radio button, as wide as its caption needs at least; the radio buttons of one parent form a group. Checking one from code
// unchecks the others and runs its OnClick.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    explicit TRadioButton(const TControlArgs& Args);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    // Widened to the box and the whole caption, never narrowed.
    void CaptionChanged() override;
    void BoundsChanged() override;
    void FontChanged() override;
    void HandleCreated() override;
    void CommandNotify(WORD Code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    bool checked_ = false;
};

// Framed container with a caption.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    explicit TGroupBox(const TControlArgs& Args);

protected:
    void PaintBackground(HDC dc) override;
};
