// The layout table of the payment details window, written out once for the tests of both
// presenters: every control in tab order, as it stands after Execute("Uber", 120.50).
#pragma once
#include <cstdint>

#include "interfaces/intfFormHost.h"

namespace orvo::test {

struct TLayoutRow {
    const char* name;
    TFormControlKind kind;
    int parent;  // row of the group box holding the control; -1 for the form
    int32_t left, top, width, height;
    const char* text;
    const char* fontFace;
    int32_t fontHeight;
    bool readOnly;
    int32_t modalResult;
};

using enum TFormControlKind;

// clang-format off
inline constexpr TLayoutRow kDetailsLayout[] = {
    {"grpReference",     GroupBox, -1,   0,   0, 441, 45, "Reference", "MS Sans Serif", 11, false, mrNone},
    {"txtReference",     Edit,      0,   8,  17, 393, 24, "",          "Arial",         13, false, mrNone},
    {"grpGratuity",      GroupBox, -1,   0,  45, 441, 45, "Gratuity",  "MS Sans Serif", 11, false, mrNone},
    {"txtRandsGratuity", Edit,      2,   8,  17,  93, 24, "0",         "Arial",         13, true,  mrNone},
    {"txtCentsGratuity", Edit,      2, 105,  17,  37, 24, "0",         "Arial",         13, true,  mrNone},
    {"btnGratuity",      Button,    2, 148,  12,  40, 30, "...",       "MS Sans Serif", 21, false, mrNone},
    {"GroupBox2",        GroupBox, -1,   0,  90, 441, 45, "Amount",    "MS Sans Serif", 11, false, mrNone},
    {"txtRandsAmount",   Edit,      6,   8,  17,  93, 24, "120",       "Arial",         13, true,  mrNone},
    {"txtCentsAmount",   Edit,      6, 105,  17,  37, 24, "50",        "Arial",         13, true,  mrNone},
    {"btnAmount",        Button,    6, 148,  12,  40, 30, "...",       "MS Sans Serif", 21, false, mrNone},
    {"btnOKNew",         Button,   -1,  80, 160,  89, 48, "&OK",       "Tahoma",        21, false, mrOk},
    {"btnCancelNew",     Button,   -1, 176, 160,  89, 48, "&Cancel",   "Tahoma",        21, false, mrCancel},
    {"btnClearNew",      Button,   -1, 272, 160,  89, 48, "Clear",     "Tahoma",        21, false, mrCancel},
};
// clang-format on
inline constexpr size_t kDetailsFocusRow = 10;  // btnOKNew has the focus when the window opens

}  // namespace orvo::test
