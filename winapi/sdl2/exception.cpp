// exception.cpp -- SetUnhandledExceptionFilter over a SIGSEGV handler: a
// fault becomes the access violation Windows reports, with the faulting
// address, and the filter decides, as for an exception no handler took.
#include <signal.h>
#include <unistd.h>

#include <windows.h>

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER filter;

void OnFault(int, siginfo_t* info, void*) {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.NumberParameters = 2;
    record.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(info->si_addr);
    EXCEPTION_POINTERS pointers{&record, nullptr};
    // As on Windows, the process ends with the exception's code (an exit
    // status keeps its low byte).
    if (filter != nullptr && filter(&pointers) == EXCEPTION_EXECUTE_HANDLER)
        _exit(static_cast<int>(EXCEPTION_ACCESS_VIOLATION & 0xFF));
    // Otherwise the handler is gone (SA_RESETHAND): the access repeats and
    // ends the process as an unhandled fault does.
}

} // namespace

LPTOP_LEVEL_EXCEPTION_FILTER WINAPI
SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER lpTopLevelExceptionFilter) {
    const LPTOP_LEVEL_EXCEPTION_FILTER previous = filter;
    filter = lpTopLevelExceptionFilter;
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigaction(SIGSEGV, &action, nullptr);
    return previous;
}
