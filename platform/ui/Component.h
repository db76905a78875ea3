#pragma once

// Components: named objects owned by another component, which destroys
// them (last created first) when it is destroyed itself.

#include "ui/Types.h"

#include <string>
#include <vector>

namespace ui {

class Value;

class TComponent : public TObject
{
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The way to destroy a component: runs its destruction steps while it is
    // still whole (a form's destruction handler), then deletes it.
    void Free();

    TComponent* Owner() const;
    const std::string& Name() const;
    void SetName(const std::string& name);

    int ComponentCount() const;
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;

    // Layout loading: set a property or bind an event by its name. Return
    // false for a name the class does not know.
    virtual bool SetProperty(const std::string& name, const Value& value);
    virtual bool SetEvent(const std::string& name, TNotifyEvent handler);
    // Runs once the whole layout of the owning form has been applied.
    virtual void Loaded();
    // The class name, for messages ("TLabel").
    virtual std::string ClassName() const;

protected:
    virtual void BeforeDestruction();
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* m_owner = nullptr;
    std::string m_name;
    std::vector<TComponent*> m_components;
    bool m_destroying = false;
};

} // namespace ui
