#include "startup/LogoForm.h"

#include "embedded/Splash.h"

#include <initializer_list>
#include <span>
#include <vector>

namespace startup {

namespace {

using ui::Kind;
using ui::Properties;

// The panel around Label2 has no name; it carries this one only while the
// layout is loaded, so that Label2 can name it as its parent.
const char* const kInnerPanel = "InnerPanel";

using ui::FontOf;
using ui::Join;

Properties Place(const char* parent, int left, int top, int width, int height)
{
    return Join({{{"Parent", ui::Ref{parent}}}, ui::Place(left, top, width, height)});
}

// Decoded once; every splash window shares its pixels.
const ui::TBitmap& SplashPicture()
{
    static const ui::TBitmap picture =
        ui::TBitmap::FromBmp(std::span<const unsigned char>(embedded::Splash, embedded::Splash_size));
    return picture;
}

ui::Layout LogoLayout(const std::string& programText)
{
    return ui::Layout{
        Join({{{"Caption", "程式登入中 ...."},
               {"BorderStyle", ui::bsNone},
               {"ClientWidth", 427},
               {"ClientHeight", 273},
               {"Position", ui::poScreenCenter},
               {"Color", ui::clBtnFace}},
              FontOf("Times New Roman", 12, 0, ui::clWindowText)}),
        {
            // Sunken border 2, raised bevel 5, green band 3, raised bevel 5: the
            // interior is 397 x 243 at 13, 13 of the client area.
            {Kind<ui::TPanel>,
             "Panel1",
             {{"Left", 0},
              {"Top", 0},
              {"Width", 427},
              {"Height", 273},
              {"BorderStyle", ui::bsSingle},
              {"BevelOuter", ui::bvRaised},
              {"BevelInner", ui::bvRaised},
              {"BevelWidth", 5},
              {"BorderWidth", 3},
              {"Color", ui::clGreen},
              {"Caption", ""}}},
            {Kind<ui::TImage>, "Image1",
             Join({Place("Panel1", 13, 13, 397, 243), {{"Stretch", true}, {"Picture", SplashPicture()}}})},
            {Kind<ui::TLabel>, "Label1",
             Join({Place("Panel1", 20, 19, 378, 27),
                   {{"AutoSize", true},
                    {"Alignment", ui::taCenter},
                    {"Transparent", true},
                    {"Caption", "鷺沅資訊工商用軟體整合系統"}},
                   FontOf("標楷體", 27, ui::fsBold, ui::clRed)})},
            {Kind<ui::TLabel>, "Label3",
             Join({Place("Panel1", 296, 224, 105, 24),
                   {{"AutoSize", true},
                    {"Alignment", ui::taLeftJustify},
                    {"Transparent", true},
                    {"Caption", "Ver 3.05"}},
                   FontOf("標楷體", 24, ui::fsBold | ui::fsItalic, ui::clYellow)})},
            {Kind<ui::TLabel>, "Label4",
             Join({Place("Panel1", 174, 126, 69, 16),
                   {{"AutoSize", true},
                    {"Alignment", ui::taCenter},
                    {"Transparent", true},
                    {"Caption", programText}},
                   FontOf("新細明體", 16, ui::fsBold, ui::clMaroon)})},
            // Sunken border 2, raised bevels of 1: the interior is 153 x 25 at 2, 2.
            {Kind<ui::TPanel>, kInnerPanel,
             Join({Place("Panel1", 130, 156, 161, 33),
                   {{"BorderStyle", ui::bsSingle},
                    {"BevelOuter", ui::bvRaised},
                    {"BevelInner", ui::bvRaised},
                    {"BevelWidth", 1},
                    {"Caption", ""}}})},
            {Kind<ui::TLabel>, "Label2",
             Join({Place(kInnerPanel, 2, 2, 153, 25),
                   {{"AutoSize", false},
                    {"Alignment", ui::taCenter},
                    {"Layout", ui::tlTop},
                    {"Transparent", false},
                    {"Color", ui::clLime},
                    {"Caption", "主程式登入中 ..."}},
                   FontOf("新細明體", 19, ui::fsBold, ui::clBlue)})},
        }};
}

} // namespace

TLogoForm::TLogoForm(ui::TComponent* owner, const std::string& formName, const std::string& programText)
    : ui::TForm(owner)
{
    SetName(formName);
    Load(LogoLayout(programText), {},
         {{"Panel1", Panel1},
          {"Image1", Image1},
          {"Label1", Label1},
          {"Label3", Label3},
          {"Label2", Label2},
          {"Label4", Label4}});
    FindComponent(kInnerPanel)->SetName("");
}

} // namespace startup
