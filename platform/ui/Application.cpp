#include "ui/Application.h"

#include "ui/Form.h"
#include "ui/Internal.h"
#include "ui/ModalScript.h"
#include "ui/QtSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace ui {

TApplication* Application = nullptr;

namespace {

std::vector<QEventLoop*> g_modalLoops;

TControl* NearestControl(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (TControl* c = TControl::FromWidget(w))
            return c;
    return nullptr;
}

bool IsInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

void EnterModalLoop(QEventLoop* loop)
{
    g_modalLoops.push_back(loop);
}

void LeaveModalLoop(QEventLoop* loop)
{
    g_modalLoops.erase(std::remove(g_modalLoops.begin(), g_modalLoops.end(), loop), g_modalLoops.end());
}

void ExitModalLoops()
{
    for (QEventLoop* loop : g_modalLoops)
        loop->exit();
}

// Input to a control inside a container that takes none is dropped; Enter
// and Escape without Shift, Ctrl or Alt go to the form's default and cancel
// buttons before the focused control sees them.
class ApplicationFilter : public QObject
{
public:
    // Set while windows only repaint: input and close requests are dropped.
    bool holdInput = false;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (holdInput && object->isWidgetType() &&
            (IsInputEvent(event->type()) || event->type() == QEvent::Close ||
             event->type() == QEvent::ShortcutOverride))
            return true;
        if (!object->isWidgetType() || !IsInputEvent(event->type()))
            return false;
        auto* widget = static_cast<QWidget*>(object);
        TControl* control = NearestControl(widget);
        if (control && !control->InputEnabled())
            return true;
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool escape = key->key() == Qt::Key_Escape;
        const auto held = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if ((!enter && !escape) || held)
            return false;
        auto* form = dynamic_cast<TForm*>(TControl::FromWidget(widget->window()));
        if (!form)
            return false;
        return form->DialogKey(enter, control);
    }
};

struct TApplication::State
{
    std::unique_ptr<QApplication> ownedApp;
    std::unique_ptr<ApplicationFilter> filter;
    std::string exeName;
    std::string title;
    TForm* mainForm = nullptr;
    bool terminated = false;
    QEventLoop* mainLoop = nullptr;
    std::chrono::steady_clock::time_point lastPaint;
};

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr), m_state(std::make_unique<State>())
{
    if (!QApplication::instance())
        m_state->ownedApp = std::make_unique<QApplication>(argc, argv);
    std::string path = QCoreApplication::applicationFilePath().toStdString();
    if (path.empty() && argc > 0)
        path = argv[0];
    Construct(path);
}

TApplication::TApplication(const std::string& programPath)
    : TComponent(nullptr), m_state(std::make_unique<State>())
{
    if (!QApplication::instance())
        throw std::logic_error("the window system is not running");
    Construct(programPath);
}

void TApplication::Construct(const std::string& programPath)
{
    Application = this;
    m_state->exeName = programPath;
    m_state->title = TitleFor(programPath);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!IsClassicStyle(QApplication::style()))
        QApplication::setStyle(NewClassicStyle());
    QApplication::setPalette(ClassicPalette());
    InstallFontStandIns();
    QApplication::setFont(ToQFont(TFont{}));
    QApplication::setFont(ToQFont(TFont{"新細明體", 12, 0, clInfoText}), "QTipLabel");
    // Window titles stay as the forms give them; the title names the program.
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(ToQString(m_state->title));
    QToolTip::setPalette(ClassicPalette());
    m_state->filter = std::make_unique<ApplicationFilter>();
    qApp->installEventFilter(m_state->filter.get());
    QObject::connect(qApp, &QApplication::focusChanged, m_state->filter.get(), &ButtonFocusChanged);
}

TApplication::~TApplication()
{
    DestroyForms();
    qApp->removeEventFilter(m_state->filter.get());
    m_state->filter.reset();
    if (Application == this)
        Application = nullptr;
    m_state->ownedApp.reset();
}

std::string TApplication::ClassName() const
{
    return "TApplication";
}

void TApplication::Initialize() {}

void TApplication::FormCreated(TForm* form)
{
    if (!m_state->mainForm)
        m_state->mainForm = form;
}

void TApplication::FormFailed(void* memory)
{
    ::operator delete(memory);
}

void TApplication::FormGone(TForm* form)
{
    if (m_state->mainForm != form)
        return;
    m_state->mainForm = nullptr;
    if (m_state->mainLoop)
        Terminate();
}

TForm* TApplication::MainForm() const
{
    return m_state->mainForm;
}

void TApplication::Run(int showCommand)
{
    if (!m_state->mainForm)
        return;
    m_state->mainForm->ShowAccordingTo(showCommand);
    if (m_state->terminated)
        return;
    QEventLoop loop;
    m_state->mainLoop = &loop;
    loop.exec();
    m_state->mainLoop = nullptr;
}

void TApplication::Terminate()
{
    m_state->terminated = true;
    ExitModalLoops();
    if (m_state->mainLoop)
        m_state->mainLoop->exit();
}

bool TApplication::Terminated() const
{
    return m_state->terminated;
}

void TApplication::DestroyForms()
{
    DestroyComponents();
}

int TApplication::Execute(const std::function<void()>& program)
{
    try {
        program();
        return 0;
    } catch (const EAbort&) {
        return 1;
    } catch (const std::exception& e) {
        ShowErrorBox(ModalKind::RuntimeError, e.what(), "Application Error");
        return 1;
    } catch (...) {
        ShowErrorBox(ModalKind::RuntimeError, "Unknown error", "Application Error");
        return 1;
    }
}

void TApplication::ProcessPaintMessages()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_state->lastPaint < std::chrono::milliseconds(100))
        return;
    m_state->lastPaint = now;
    // The window system keeps its input queued; what was posted is dropped.
    m_state->filter->holdInput = true;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_state->filter->holdInput = false;
}

const std::string& TApplication::ExeName() const
{
    return m_state->exeName;
}

const std::string& TApplication::Title() const
{
    return m_state->title;
}

std::string TApplication::TitleFor(const std::string& programPath)
{
    const std::size_t slash = programPath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    if (name.empty())
        return name;
    // The first character (one UTF-8 sequence) stays as it is.
    std::size_t first = 1;
    while (first < name.size() && (static_cast<unsigned char>(name[first]) & 0xC0) == 0x80)
        ++first;
    for (std::size_t i = first; i < name.size(); ++i)
        if (name[i] >= 'A' && name[i] <= 'Z')
            name[i] = static_cast<char>(name[i] - 'A' + 'a');
    return name;
}

void TApplication::SetIcon(std::span<const unsigned char> iconBytes)
{
    QByteArray data(reinterpret_cast<const char*>(iconBytes.data()),
                    static_cast<qsizetype>(iconBytes.size()));
    if (data.size() >= 16 && static_cast<unsigned char>(data[0]) == 40 && data[1] == 0) {
        // One icon image (a bitmap header, colours, pixels and mask): put the
        // icon file's directory in front of it.
        auto read32 = [&](int at) {
            std::int32_t v;
            std::memcpy(&v, data.constData() + at, 4);
            return v;
        };
        const int width = read32(4);
        const int height = read32(8) / 2;
        std::uint16_t bits;
        std::memcpy(&bits, data.constData() + 14, 2);
        QByteArray header(22, '\0');
        header[2] = 1;
        header[4] = 1;
        header[6] = static_cast<char>(width & 0xFF);
        header[7] = static_cast<char>(height & 0xFF);
        header[8] = static_cast<char>(bits < 8 ? 1 << bits : 0);
        header[10] = 1;
        header[12] = static_cast<char>(bits);
        const auto size = static_cast<std::uint32_t>(data.size());
        std::memcpy(header.data() + 14, &size, 4);
        const std::uint32_t offset = 22;
        std::memcpy(header.data() + 18, &offset, 4);
        data.prepend(header);
    }
    const QImage image = QImage::fromData(data, "ICO");
    if (!image.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

void TApplication::HandleException(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("Unknown exception"));
    }
}

void TApplication::ShowException(const std::exception& exception)
{
    ShowErrorBox(ModalKind::ErrorBox, exception.what(), Title());
}

void CallHandler(const TNotifyEvent& handler, TObject* sender)
{
    if (!handler)
        return;
    try {
        handler(sender);
    } catch (...) {
        if (!Application)
            throw;
        Application->HandleException(std::current_exception());
    }
}

const char* EAbort::what() const noexcept
{
    return "Operation aborted";
}

void Abort()
{
    throw EAbort();
}

} // namespace ui
