// A test program that crashes ends at once with a line naming the fault.
// Left to itself, Wine starts its debugger on an unhandled fault, and the
// run then waits on the debugger instead of failing; the process's own
// top-level filter runs before that.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI ReportAndEnd(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    std::fprintf(stderr, "crash: exception 0x%08lx at %p\n", static_cast<unsigned long>(record.ExceptionCode),
                 record.ExceptionAddress);
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;  // the process ends with the exception's code
}

const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(ReportAndEnd);

} // namespace
