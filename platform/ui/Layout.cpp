#include "ui/Layout.h"

#include <stdexcept>

namespace ui {

namespace {

[[noreturn]] void WrongKind(const char* expected)
{
    throw std::logic_error(std::string("expected ") + expected);
}

} // namespace

Value::Value(int number) : m_value(number) {}
Value::Value(bool flag) : m_value(flag) {}
Value::Value(const char* text) : m_value(std::string(text)) {}
Value::Value(std::string text) : m_value(std::move(text)) {}
Value::Value(std::initializer_list<std::string> lines) : m_value(std::vector<std::string>(lines)) {}
Value::Value(std::vector<std::string> lines) : m_value(std::move(lines)) {}
Value::Value(TColor color) : m_value(color) {}
Value::Value(Ref reference) : m_value(std::move(reference)) {}
Value::Value(TBitmap picture) : m_value(std::move(picture)) {}
Value::Value(TComponent* component) : m_value(component) {}

bool Value::IsRef() const
{
    return std::holds_alternative<Ref>(m_value);
}

int Value::AsInt() const
{
    if (auto* v = std::get_if<int>(&m_value))
        return *v;
    WrongKind("a number");
}

bool Value::AsBool() const
{
    if (auto* v = std::get_if<bool>(&m_value))
        return *v;
    WrongKind("true or false");
}

const std::string& Value::AsString() const
{
    if (auto* v = std::get_if<std::string>(&m_value))
        return *v;
    WrongKind("a text");
}

const std::vector<std::string>& Value::AsStrings() const
{
    if (auto* v = std::get_if<std::vector<std::string>>(&m_value))
        return *v;
    WrongKind("a list of texts");
}

TColor Value::AsColor() const
{
    if (auto* v = std::get_if<TColor>(&m_value))
        return *v;
    WrongKind("a colour");
}

const Ref& Value::AsRef() const
{
    if (auto* v = std::get_if<Ref>(&m_value))
        return *v;
    WrongKind("a component reference");
}

const TBitmap& Value::AsBitmap() const
{
    if (auto* v = std::get_if<TBitmap>(&m_value))
        return *v;
    WrongKind("a picture");
}

TComponent* Value::AsComponent() const
{
    if (auto* v = std::get_if<TComponent*>(&m_value))
        return *v;
    WrongKind("a component");
}

Handler::Handler(std::string name, TNotifyEvent event) : name(std::move(name)), event(std::move(event)) {}

const std::string& FieldRef::Name() const
{
    return m_name;
}

bool FieldRef::Assign(TComponent* component) const
{
    return m_assign(component);
}

Properties Join(std::initializer_list<Properties> parts)
{
    Properties all;
    for (const Properties& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Properties Place(int left, int top, int width, int height)
{
    return {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}};
}

Properties FontOf(const std::string& name, int height, int style, TColor color)
{
    return {{"Font.Name", name}, {"Font.Height", height}, {"Font.Style", style}, {"Font.Color", color}};
}

} // namespace ui
