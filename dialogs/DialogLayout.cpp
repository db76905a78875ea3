#include "dialogs/DialogLayout.h"

#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/Edit.h"

namespace dialogs {

using ui::Join;
using ui::Place;

Properties FontOf(const char* name, int height, ui::TColor color)
{
    return ui::FontOf(name, height, 0, color);
}

Properties DialogWindow(const char* name, const char* caption, int clientWidth, int clientHeight)
{
    return {{"Name", name},
            {"Caption", caption},
            {"ClientWidth", clientWidth},
            {"ClientHeight", clientHeight},
            {"BorderStyle", ui::bsDialog},
            {"Position", ui::poScreenCenter},
            {"Color", ui::clBtnFace}};
}

ui::ComponentSpec NameFrame(int left, int top)
{
    return {ui::Kind<ui::TBevel>, "Bevel1",
            Join({Place(left, top, 297, 77), {{"Shape", ui::bsFrame}, {"Style", ui::bsLowered}}})};
}

ui::ComponentSpec NameBox(const char* name, int left, int top, const Properties& font)
{
    return {ui::Kind<ui::TEdit>, name,
            Join({Place(left, top, 273, 24), {{"Text", ""}, {"TabOrder", 0}}, font})};
}

ui::ComponentSpec OKButton(int left, int top)
{
    return {ui::Kind<ui::TButton>, "OKBtn",
            Join({Place(left, top, 75, 24),
                  {{"Caption", "確定"}, {"Default", true}, {"ModalResult", ui::mrOk}, {"TabOrder", 1}},
                  FontOf("新細明體", 15, ui::clBlack)})};
}

ui::ComponentSpec CancelButton(int left, int top)
{
    return {ui::Kind<ui::TButton>, "CancelBtn",
            Join({Place(left, top, 75, 24),
                  {{"Caption", "取消"}, {"Cancel", true}, {"ModalResult", ui::mrCancel}, {"TabOrder", 2}},
                  FontOf("新細明體", 15, ui::clBlack)})};
}

} // namespace dialogs
