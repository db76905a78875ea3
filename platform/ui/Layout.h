#pragma once

// A window's layout as data of its class: the form's own properties, then
// its components in creation order, each with its properties, its bindings
// to other components (Ref) and the handlers of its events ("OnClick" =
// "CopyFilesClick"). TForm::Load applies it.
//
//   const ui::Layout kLayout{
//       {{"Caption", "建立新資料夾"}, {"ClientWidth", 313}, {"OnActivate", "FormActivate"}},
//       {
//           {ui::Kind<ui::TLabel>, "Label1", {{"Left", 91}, {"Top", 26}, {"Caption", "請輸入"}}},
//           {ui::Kind<ui::TButton>, "OKBtn", {{"Default", true}, {"ModalResult", ui::mrOk}}},
//       }};

#include "ui/Bitmap.h"
#include "ui/Types.h"

#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace ui {

class TComponent;

// A reference to another component of the layout by its name; resolved once
// every component exists.
struct Ref
{
    std::string name;
};

class Value
{
public:
    Value(int number);
    Value(bool flag);
    Value(const char* text);
    Value(std::string text);
    Value(std::initializer_list<std::string> lines);
    Value(std::vector<std::string> lines);
    Value(TColor color);
    Value(Ref reference);
    Value(TBitmap picture);
    Value(TComponent* component);

    bool IsRef() const;
    int AsInt() const;
    bool AsBool() const;
    const std::string& AsString() const;
    const std::vector<std::string>& AsStrings() const;
    TColor AsColor() const;
    const Ref& AsRef() const;
    const TBitmap& AsBitmap() const;
    TComponent* AsComponent() const;

private:
    std::variant<int, bool, std::string, std::vector<std::string>, TColor, Ref, TBitmap, TComponent*> m_value;
};

struct Property
{
    std::string name;
    Value value;
};

using ComponentFactory = TComponent* (*)(TComponent* owner);

template <class T> TComponent* CreateComponent(TComponent* owner)
{
    return new T(owner);
}

// The kind of a layout entry: ui::Kind<ui::TLabel>.
template <class T> inline constexpr ComponentFactory Kind = &CreateComponent<T>;

struct ComponentSpec
{
    ComponentFactory create;
    std::string name;
    std::vector<Property> properties;
};

struct Layout
{
    std::vector<Property> form;
    std::vector<ComponentSpec> components;
};

// A handler offered to the layout under its name.
struct Handler
{
    Handler(std::string name, TNotifyEvent event);
    template <class C>
    Handler(std::string name, C* self, void (C::*method)(TObject*))
        : Handler(std::move(name), [self, method](TObject* sender) { (self->*method)(sender); })
    {
    }

    std::string name;
    TNotifyEvent event;
};

// A member of the form class bound to the layout's component of that name.
class FieldRef
{
public:
    template <class T>
    FieldRef(std::string name, T*& field)
        : m_name(std::move(name)), m_assign([&field](TComponent* c) { return (field = dynamic_cast<T*>(c)); })
    {
    }

    const std::string& Name() const;
    // False when the component is missing or of another kind.
    bool Assign(TComponent* component) const;

private:
    std::string m_name;
    std::function<bool(TComponent*)> m_assign;
};

using Properties = std::vector<Property>;

// Layout tables read best in parts: a place, a font, each control's own
// properties, joined in order.
Properties Join(std::initializer_list<Properties> parts);
Properties Place(int left, int top, int width, int height);
Properties FontOf(const std::string& name, int height, int style, TColor color);

} // namespace ui
