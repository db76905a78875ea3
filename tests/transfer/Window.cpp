#include "Window.h"

#include "ui/CheckBox.h"
#include "ui/ScrollBox.h"

void PrintTo(TransferDirection direction, std::ostream* os)
{
    *os << (direction == TransferDirection::Restore ? "Restore" : "Backup");
}

namespace transfertest {

std::string DirectionName(const ::testing::TestParamInfo<TransferDirection>& info)
{
    return info.param == TransferDirection::Restore ? "Restore" : "Backup";
}

void resetUnitState()
{
    StartFolder.clear();
    SourceFolder.clear();
    TargetFolder.clear();
    RunSourceFolder.clear();
    RunTargetFolder.clear();
    ProgramFileName.clear();
    SourceState = 0;
    TargetState = 0;
}

std::vector<std::string> extensionBoxes(const TCopyFiles& window)
{
    std::vector<std::string> captions;
    for (int i = 0; i < window.IncludeExtBox->ControlCount(); ++i)
        captions.push_back(window.IncludeExtBox->Controls(i)->Caption());
    return captions;
}

std::vector<std::string> itemsOf(const ui::TStrings& items)
{
    return items.ToVector();
}

WindowFixture::WindowFixture(const std::string& programPath) : application(programPath)
{
    resetUnitState();
}

WindowFixture::~WindowFixture()
{
    application.DestroyForms();
    CopyFiles = nullptr;
    resetUnitState();
}

Window& WindowFixture::make(TransferDirection direction)
{
    application.CreateForm(m_window, direction);
    CopyFiles = m_window;
    return *m_window;
}

Window& WindowFixture::window()
{
    return *m_window;
}

std::vector<ui::ShownWindow> WindowFixture::shown(ui::ModalKind kind) const
{
    std::vector<ui::ShownWindow> found;
    for (const ui::ShownWindow& w : script.Shown())
        if (w.kind == kind)
            found.push_back(w);
    return found;
}

} // namespace transfertest
