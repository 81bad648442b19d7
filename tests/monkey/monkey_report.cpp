#include "monkey_report.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef QUENDRY_MONKEY_SANITIZERS
#include <sanitizer/common_interface_defs.h>
#define QUENDRY_HAVE_SANITIZER_HOOKS 1
#endif

namespace monkey {
namespace {

constexpr int kLogLines = 40;
constexpr int kLineBytes = 240;

char g_program[256] = "quendry_monkey";
char g_current[kLineBytes] = "before the first event";
char g_log[kLogLines][kLineBytes];
int g_logNext = 0;
int g_logCount = 0;
uint64_t g_seed = 0;
long g_event = -1;
volatile sig_atomic_t g_reported = 0;
bool g_trace = false;

void copyLine(char* to, const std::string& text) {
    size_t n = text.size() < kLineBytes - 1 ? text.size() : kLineBytes - 1;
    std::memcpy(to, text.data(), n);
    to[n] = '\0';
    // One line each: a control byte in a typed text would break the report's layout.
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(to[i]) < 0x20) to[i] = '?';
}

void put(const char* text) {
    ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

// Decimal digits without allocation, for the signal handler.
void putNumber(unsigned long long value) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    char out[24];
    for (int i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
    out[n] = '\0';
    put(out);
}

void addToLog(const std::string& line) {
    copyLine(g_log[g_logNext], line);
    if (g_trace) std::fprintf(stdout, "%s\n", g_log[g_logNext]);
    g_logNext = (g_logNext + 1) % kLogLines;
    if (g_logCount < kLogLines) ++g_logCount;
}

struct sigaction g_previous[32];
const int kSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};

void onSignal(int sig) {
    put("\n*** signal ");
    putNumber(static_cast<unsigned>(sig));
    put(" ***\n");
    reportFault("crash");
    // The handler that was there before gets the signal: the faulting instruction runs
    // again (SIGSEGV, SIGBUS...) or the raise below is delivered when this returns.
    sigaction(sig, &g_previous[sig], nullptr);
    if (sig == SIGABRT) raise(sig);
}

void onAlarm(int) {
    put("\n*** the event did not end ***\n");
    reportFault("hang");
    _exit(3);
}

#ifdef QUENDRY_HAVE_SANITIZER_HOOKS
void onSanitizerDeath() { reportFault("sanitizer report"); }
#endif

}  // namespace

void setTrace(bool on) { g_trace = on; }

void beginEvent(uint64_t seed, long event, const std::string& description) {
    g_seed = seed;
    g_event = event;
    const std::string line = "seed " + std::to_string(seed) + " event " + std::to_string(event) + ": " + description;
    copyLine(g_current, line);
    addToLog(line);
}

void note(const std::string& line) { addToLog("    " + line); }

void reportFault(const char* reason) {
    if (g_reported) return;
    g_reported = 1;
    put("\n=== monkey: ");
    put(reason);
    put(" at\n");
    put(g_current);
    put("\n--- last events, oldest first:\n");
    for (int i = 0; i < g_logCount; ++i) {
        put(g_log[(g_logNext - g_logCount + i + kLogLines) % kLogLines]);
        put("\n");
    }
    if (g_event >= 0) {
        put("--- replay: ");
        put(g_program);
        put(" --seed ");
        putNumber(g_seed);
        put(" --events ");
        putNumber(static_cast<unsigned long long>(g_event + 1));
        put("\n");
    }
}

void installCrashReports(const char* program) {
    std::strncpy(g_program, program, sizeof g_program - 1);
    for (int sig : kSignals) {
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(sig, &action, &g_previous[sig]);
    }
    struct sigaction alarmAction {};
    alarmAction.sa_handler = onAlarm;
    sigemptyset(&alarmAction.sa_mask);
    sigaction(SIGALRM, &alarmAction, nullptr);
#ifdef QUENDRY_HAVE_SANITIZER_HOOKS
    __sanitizer_set_death_callback(onSanitizerDeath);
#endif
}

void armWatchdog(unsigned seconds) { alarm(seconds); }

}  // namespace monkey
