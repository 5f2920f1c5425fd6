#pragma once

#include "ui/Geometry.h"

#include <string>
#include <vector>

namespace kal {

enum class ControlKind {
    Label,
    Edit,
    MultiLineEdit,
    PasswordEdit,
    ComboBox, // an edit with a drop-down list
    DropDownList,
    CheckBox,
    RadioButton, // radio buttons in a row of the same group form one choice
    PushButton,
    DefaultButton,
    ListBox,
    GroupBox, // a frame with a title around the controls of the rows it spans
    NumberEdit, // an edit for a whole number, checked on OK by its `number` rule
    SpinEdit, // a number edit with up and down arrows that step within the range the logic sets
    ScrollBar, // a vertical scroll bar; the logic decides what each scroll action does
    ColourSample, // a small box filled with the colour the logic sets
    Custom, // drawn and driven by core code: the logic's CustomControl for this id
};

// Standard results and button ids.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// How the text of a number field is checked when OK is pressed, before the dialog's own checks.
struct NumberRule {
    enum class Sign { Signed, Unsigned };
    Sign sign = Sign::Signed;
    bool ranged = false; // when set, the number must lie in [minimum, maximum]
    int minimum = 0;
    int maximum = 0;
};

// One control of a dialog. Controls sit on a grid of rows and columns; front ends lay the grid out
// with the desktop's spacing. Buttons with the ids kIdOk and kIdCancel go to the dialog's button row
// wherever they are listed.
struct ControlResource {
    int id = 0; // 0 for static texts nobody addresses
    ControlKind kind = ControlKind::Label;
    std::u16string text;
    std::vector<std::u16string> items; // initial items of lists and combo boxes
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    int group = 0; // radio buttons with the same group exclude each other
    NumberRule number {}; // NumberEdit and SpinEdit
    // The least room the control wants, in average characters across and text lines down; 0 leaves
    // it to the kind (lists, multi-line edits and custom controls use it).
    Size cells {};
};

struct DialogResource {
    int id = 0;
    std::u16string caption;
    std::vector<ControlResource> controls;

    [[nodiscard]] const ControlResource* Find(int controlId) const;
};

} // namespace kal
