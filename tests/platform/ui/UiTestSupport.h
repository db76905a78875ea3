#pragma once

// A fresh application object and a modal script for every widget test.

#include "ui/Application.h"
#include "ui/ModalScript.h"

#include <gtest/gtest.h>
#include <memory>

class UiTest : public ::testing::Test
{
protected:
    UiTest() : app(std::make_unique<ui::TApplication>("/opt/tarn/ReStore.exe")) {}

    ~UiTest() override
    {
        app.reset();
        for (const std::string& window : script.Unexpected())
            ADD_FAILURE() << "unexpected modal window: " << window;
    }

    ui::ModalScript script;
    std::unique_ptr<ui::TApplication> app;
};

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <QLocale>
#include <functional>
#include <string>
#include <vector>

// The user locale set for one test, the former one back afterwards.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale& locale);
    ~DefaultLocale();
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale m_saved;
};

// A small dialog built from a layout, as the programs' dialogs are; it logs
// its creation, activation and destruction.
class TTestDlg : public ui::TForm
{
public:
    explicit TTestDlg(ui::TComponent* owner, std::vector<std::string>* log = nullptr,
                      const std::string& name = "TestDlg");

    ui::TLabel* Label1 = nullptr;
    ui::TEdit* NewDir = nullptr;
    ui::TButton* OKBtn = nullptr;
    ui::TButton* CancelBtn = nullptr;

    int activations = 0;
    std::function<void()> whenActivated;

private:
    void FormCreate(ui::TObject* sender);
    void FormActivate(ui::TObject* sender);
    void FormDestroy(ui::TObject* sender);

    std::vector<std::string>* m_log;
};
