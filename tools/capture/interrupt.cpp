// interrupt.cpp -- the SIGINT and SIGTERM handlers.
#include "tools/capture/interrupt.h"

#include <pthread.h>

#include <csignal>

namespace {

volatile std::sig_atomic_t caught = 0;
pthread_t mainThread;

void OnSignal(int signal) {
    caught = signal;
    // A signal taken by an encoder's thread is passed on, so that a write the
    // main thread is blocked in returns too.
    if (!pthread_equal(pthread_self(), mainThread)) pthread_kill(mainThread, signal);
}

} // namespace

void CatchInterrupts() {
    mainThread = pthread_self();
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int InterruptSignal() {
    return caught;
}
