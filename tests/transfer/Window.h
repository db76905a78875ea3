#pragma once

// The transfer window for tests: its protected operations reachable, made
// through the application as the programs make it, with the unit's state
// cleared as at program start.

#include "Drives.h"
#include "transfer/CopyFile.h"
#include "ui/Application.h"
#include "ui/ModalScript.h"
#include "ui/StringList.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Test parameters print and name themselves by their direction.
void PrintTo(TransferDirection direction, std::ostream* os);

namespace transfertest {

std::string DirectionName(const ::testing::TestParamInfo<TransferDirection>& info);

class Window : public TCopyFiles
{
public:
    using TCopyFiles::DriveLetter;
    using TCopyFiles::RebuildExtensions;
    using TCopyFiles::RefreshPaths;
    using TCopyFiles::TCopyFiles;
    using TCopyFiles::UpdateMask;
};

// Clears the unit-level state, as when the program starts.
void resetUnitState();

// Captions of the extension boxes, in control order.
std::vector<std::string> extensionBoxes(const TCopyFiles& window);
// Items of a file list or folder list.
std::vector<std::string> itemsOf(const ui::TStrings& items);

// A suite in C:\TARN: its settings file, inst.DB, and a param.db that names
// the data and backup folders; the folders themselves are made too.
void writeSuite(const Drives& drives, const std::string& dataFolder, const std::string& backupFolder);
// BakPath in C:\TARN\DB holding these names.
void writeRegistered(const std::vector<std::string>& names);

// Each test gets its own application and modal script; the window is made
// on demand in the direction asked for.
class WindowFixture
{
public:
    explicit WindowFixture(const std::string& programPath = "/opt/tarn/restore");
    ~WindowFixture();

    Window& make(TransferDirection direction);
    Window& window();
    // The modal windows of a kind shown so far.
    std::vector<ui::ShownWindow> shown(ui::ModalKind kind) const;

    ui::TApplication application;
    ui::ModalScript script;

private:
    Window* m_window = nullptr;
};

} // namespace transfertest
