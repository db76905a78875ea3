#include "ui/Component.h"

#include <algorithm>

namespace ui {

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    m_destroying = true;
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

void TComponent::Free()
{
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction() {}

void TComponent::DestroyComponents()
{
    while (!m_components.empty())
        m_components.back()->Free();
}

TComponent* TComponent::Owner() const
{
    return m_owner;
}

const std::string& TComponent::Name() const
{
    return m_name;
}

void TComponent::SetName(const std::string& name)
{
    m_name = name;
}

int TComponent::ComponentCount() const
{
    return static_cast<int>(m_components.size());
}

TComponent* TComponent::Components(int index) const
{
    return m_components.at(static_cast<std::size_t>(index));
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : m_components)
        if (c->m_name == name)
            return c;
    return nullptr;
}

bool TComponent::SetProperty(const std::string&, const Value&)
{
    return false;
}

bool TComponent::SetEvent(const std::string&, TNotifyEvent)
{
    return false;
}

void TComponent::Loaded() {}

std::string TComponent::ClassName() const
{
    return "TComponent";
}

void TComponent::InsertComponent(TComponent* component)
{
    component->m_owner = this;
    m_components.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it != m_components.end())
        m_components.erase(it);
    component->m_owner = nullptr;
}

} // namespace ui
