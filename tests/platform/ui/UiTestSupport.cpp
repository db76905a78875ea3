#include "UiTestSupport.h"

#include "ui/Bevel.h"

namespace {

const ui::Layout kTestDlgLayout{
    {{"Caption", "建立新資料夾"},
     {"ClientWidth", 313},
     {"ClientHeight", 130},
     {"BorderStyle", ui::bsDialog},
     {"Position", ui::poScreenCenter},
     {"Font.Name", "MS Sans Serif"},
     {"Font.Height", 11},
     {"OnCreate", "FormCreate"},
     {"OnActivate", "FormActivate"},
     {"OnDestroy", "FormDestroy"}},
    {
        {ui::Kind<ui::TBevel>,
         "Bevel1",
         {{"Left", 10}, {"Top", 12}, {"Width", 297}, {"Height", 77}, {"Shape", ui::bsFrame}}},
        {ui::Kind<ui::TLabel>, "Label1", {{"Left", 91}, {"Top", 26}, {"Caption", "請輸入新資料夾名稱 "}}},
        {ui::Kind<ui::TButton>,
         "OKBtn",
         {{"Left", 71},
          {"Top", 98},
          {"Width", 75},
          {"Height", 24},
          {"Caption", "確定"},
          {"Default", true},
          {"ModalResult", ui::mrOk},
          {"TabOrder", 1}}},
        {ui::Kind<ui::TButton>,
         "CancelBtn",
         {{"Left", 167},
          {"Top", 98},
          {"Width", 75},
          {"Height", 24},
          {"Caption", "取消"},
          {"Cancel", true},
          {"ModalResult", ui::mrCancel},
          {"TabOrder", 2}}},
        {ui::Kind<ui::TEdit>,
         "NewDir",
         {{"Left", 20}, {"Top", 52}, {"Width", 273}, {"Height", 24}, {"TabOrder", 0}}},
    }};

} // namespace

TTestDlg::TTestDlg(ui::TComponent* owner, std::vector<std::string>* log, const std::string& name)
    : TForm(owner), m_log(log)
{
    SetName(name);
    Load(kTestDlgLayout,
         {{"FormCreate", this, &TTestDlg::FormCreate},
          {"FormActivate", this, &TTestDlg::FormActivate},
          {"FormDestroy", this, &TTestDlg::FormDestroy}},
         {{"Label1", Label1}, {"NewDir", NewDir}, {"OKBtn", OKBtn}, {"CancelBtn", CancelBtn}});
}

void TTestDlg::FormCreate(ui::TObject*)
{
    if (m_log)
        m_log->push_back(Name() + " created with " + std::to_string(ComponentCount()) + " components");
}

void TTestDlg::FormActivate(ui::TObject*)
{
    ++activations;
    NewDir->SetText("");
    if (m_log)
        m_log->push_back(Name() + " activated");
    if (whenActivated)
        whenActivated();
}

void TTestDlg::FormDestroy(ui::TObject*)
{
    if (m_log)
        m_log->push_back(Name() + " destroyed with " + std::to_string(ComponentCount()) + " components");
}

DefaultLocale::DefaultLocale(const QLocale& locale)
{
    QLocale::setDefault(locale);
}

DefaultLocale::~DefaultLocale()
{
    QLocale::setDefault(m_saved);
}
