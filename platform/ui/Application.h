#pragma once

// The application object: owns the forms, designates the main form, runs
// the message loop and reports the exceptions that escape event handlers.
//
//   int main(int argc, char** argv)
//   {
//       ui::TApplication application(argc, argv);
//       return application.Execute([] {
//           ui::Application->Initialize();
//           ui::Application->CreateForm(CopyFiles);   // the main form
//           ui::Application->Run();
//       });
//   }   // the owned forms are destroyed here, last created first

#include "ui/Component.h"

#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <string>

namespace ui {

class TForm;

// Start-up show commands.
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWMINNOACTIVE = 7;

class TApplication : public TComponent
{
public:
    // From main(): the window system is started when it is not running yet.
    TApplication(int& argc, char** argv);
    // With a given program path (tests); the window system must be running.
    explicit TApplication(const std::string& programPath);
    ~TApplication() override;

    void Initialize();

    // Creates a form owned by the application; the first one so created becomes
    // the main form. The reference is set before construction and cleared when
    // construction fails.
    template <class T, class... Args> void CreateForm(T*& reference, Args&&... args);

    // Shows the main form by the show command and handles messages until the
    // main form closes.
    void Run(int showCommand = SW_SHOWNORMAL);
    void Terminate();
    bool Terminated() const;
    TForm* MainForm() const;

    // The program block of main(): runs it, and when an exception escapes,
    // shows the run-time error box. Returns the exit code (0, or 1).
    int Execute(const std::function<void()>& program);

    // For a long piece of work inside a handler, called between its steps:
    // at most every 100 ms the windows repaint and the window manager is
    // answered; user input (keys, clicks, close requests) is not delivered.
    void ProcessPaintMessages();

    // The program file's name with its folder (host path).
    const std::string& ExeName() const;
    // File name without folder and from its first "." on; first character
    // unchanged, the rest lower case.
    const std::string& Title() const;
    static std::string TitleFor(const std::string& programPath);

    // The program icon (the bytes of a Windows icon file, or of one icon image).
    void SetIcon(std::span<const unsigned char> iconBytes);

    // The default handler for an exception that escaped an event handler.
    void HandleException(std::exception_ptr exception);
    void ShowException(const std::exception& exception);

    // Destroys the owned forms, last created first.
    void DestroyForms();

    std::string ClassName() const override;

private:
    friend class TForm;
    void Construct(const std::string& programPath);
    void FormCreated(TForm* form);
    static void FormFailed(void* memory);
    void FormGone(TForm* form);

    struct State;
    std::unique_ptr<State> m_state;
};

// The application object of the running program.
extern TApplication* Application;

// Runs a handler behind the default exception handler.
void CallHandler(const TNotifyEvent& handler, TObject* sender);

// A silent abort: escapes a handler and shows nothing.
class EAbort : public std::exception
{
public:
    const char* what() const noexcept override;
};
[[noreturn]] void Abort();

template <class T, class... Args> void TApplication::CreateForm(T*& reference, Args&&... args)
{
    void* memory = ::operator new(sizeof(T));
    reference = static_cast<T*>(memory);
    try {
        new (memory) T(this, std::forward<Args>(args)...);
    } catch (...) {
        reference = nullptr;
        FormFailed(memory);
        throw;
    }
    FormCreated(reference);
}

} // namespace ui
