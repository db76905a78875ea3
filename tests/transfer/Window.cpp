#include "Window.h"

#include "database/TableBuilder.h"
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

void writeSuite(const Drives& drives, const std::string& dataFolder, const std::string& backupFolder)
{
    drives.file("C:\\TARN\\Tarn.ini", "[TARN]\r\nPATH=C:\\TARN\\DB\r\n");
    drives.file("C:\\TARN\\DB\\inst.DB", "suite");
    database::paradox::TableSpec param;
    param.fields = {{"Key", database::paradox::FieldType::Alpha, 10},
                    {"Value", database::paradox::FieldType::Alpha, 240}};
    param.keyFields = 1;
    param.password = "wgl639275";
    param.tableName = "param.db";
    database::createTable("C:\\TARN\\DB\\param.db", param,
                          {{"5-BAKS", dataFolder}, {"5-BAKD", backupFolder}});
    writeRegistered({});
    drives.folder(dataFolder);
    drives.folder(backupFolder);
}

void writeRegistered(const std::vector<std::string>& names)
{
    database::paradox::TableSpec spec;
    spec.fields = {{"PathName", database::paradox::FieldType::Alpha, 40}};
    spec.keyFields = 1;
    spec.password = "fxeu813046";
    spec.tableName = "BakPath";
    std::vector<std::vector<std::string>> rows;
    for (const std::string& name : names)
        rows.push_back({name});
    database::createTable("C:\\TARN\\DB\\BakPath.DB", spec, rows);
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
