// Errors of every kind stop where the system calls into the program (window
// procedures, timers, creation handlers, the entry sequence) and reach the
// application's error handling; the program goes on, or its entry sequence
// ends with a message and an exit code.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/core/Utf8.h"
#include "ui/forms/ErrorGuard.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

// One way to fail, and the text the user is shown for it.
struct TFailure {
    const char* Kind;
    std::function<void()> Raise;
    std::string Shown;
};

const std::vector<TFailure>& Failures()
{
    static const std::vector<TFailure> failures = {
        {"the program's own error", [] { throw EInOutError(SFileAccessError); }, SFileAccessError},
        {"a library error", [] { throw std::runtime_error("library text"); }, "library text"},
        {"out of memory", [] { throw std::bad_alloc(); }, SOutOfMemory},
        {"a size beyond memory", [] { throw std::length_error("vector::_M_default_append"); }, SOutOfMemory},
        {"not a std::exception", [] { throw 42; }, SUnknownError},
    };
    return failures;
}

using tests::TErrorLog;

constexpr UINT WM_FAIL = WM_APP + 1;

} // namespace

TEST(ErrorGuard, AnErrorOfAnyKindInAWindowProcedureIsShownAndTheWindowGoesOn)
{
    TForm form(nullptr);
    const TFailure* failure = nullptr;
    const auto saved = form.WindowProc;
    form.WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_FAIL)
            failure->Raise();
        saved(m);
    };
    for (const TFailure& f : Failures()) {
        TErrorLog log;
        failure = &f;
        SendMessageW(form.Handle(), WM_FAIL, 0, 0);
        EXPECT_EQ(log.Shown, std::vector<std::string>{f.Shown}) << f.Kind;
        SetWindowTextW(form.Handle(), Utf8ToWide(f.Kind).c_str());
        EXPECT_EQ(form.Caption(), Utf8ToWide(f.Kind)) << "the window still handles messages after " << f.Kind;
    }
}

TEST(ErrorGuard, TheErrorBoxNamesOutOfMemoryAndErrorsOfNoKnownKindInPlainWords)
{
    for (const TFailure& f : Failures()) {
        if (f.Shown != SOutOfMemory && f.Shown != SUnknownError)
            continue;
        tests::TMessageBoxAnswerer answer;
        EXPECT_FALSE(CallGuarded(f.Raise)) << f.Kind;
        ASSERT_TRUE(answer.Wait()) << f.Kind;
        EXPECT_EQ(answer.Text, Utf8ToWide(f.Shown)) << f.Kind;
        EXPECT_EQ(answer.Caption, Application()->Title());
    }
}

TEST(ErrorGuard, AnErrorHandlerThatFailsItselfEndsInAFixedBox)
{
    Application()->OnException = TExceptionEvent([](TObject*, const std::exception&) { throw 7; });
    tests::TMessageBoxAnswerer answer;
    EXPECT_FALSE(CallGuarded([] { throw EInOutError(SFileAccessError); }));
    Application()->OnException = {};
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Text, L"程序无法处理发生的错误");
}

TEST(ErrorGuard, ATimerWhoseHandlerFailsIsShownAndKeepsTicking)
{
    TErrorLog log;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = TNotifyEvent([&](TObject*) {
        if (++ticks == 1)
            throw 42;
    });
    timer.SetInterval(10);
    ASSERT_TRUE(tests::PumpUntil([&] { return ticks >= 2; })) << "the timer ticks on after the error";
    timer.SetEnabled(false);
    EXPECT_EQ(log.Shown, std::vector<std::string>{SUnknownError});
}

TEST(ErrorGuard, AFormsCreationHandlerMayFailWithAnyError)
{
    class TFailingForm : public TForm {
    public:
        TFailingForm(TComponent* owner, const TFailure& failure) : TForm(owner)
        {
            OnCreate = TNotifyEvent([&failure](TObject*) { failure.Raise(); });
            DoCreate();
        }
    };
    for (const TFailure& f : Failures()) {
        TErrorLog log;
        TFailingForm form(nullptr, f);
        EXPECT_EQ(log.Shown, std::vector<std::string>{f.Shown}) << f.Kind;
    }
}

TEST(ErrorGuard, AFormConstructorThatFailsEndsTheEntrySequenceWithAMessageAndTheErrorExitCode)
{
    class TUnbuildableForm : public TForm {
    public:
        explicit TUnbuildableForm(TComponent* owner) : TForm(owner) { throw 42; }
    };
    const int forms = Screen()->FormCount();
    tests::TMessageBoxAnswerer answer;
    const int exitCode = RunGuardedMain([] {
        Application()->CreateForm<TUnbuildableForm>();
        return 0;
    });
    EXPECT_EQ(exitCode, ExitCodeOnError);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Text, Utf8ToWide(SUnknownError));
    EXPECT_EQ(Screen()->FormCount(), forms) << "the half-built form is gone";

    EXPECT_EQ(RunGuardedMain([] { return 3; }), 3) << "an entry sequence that ends normally keeps its exit code";
}
