// Start-up of the real program: the time from starting the quendryedit process to a
// usable main window (shown, exposed, the command-line file read, the events queued
// until then handled), with no file and with a generated zone of 99,000 rooms on the
// command line. Goals: under 0.5 s and under 2 s.
//
// Each iteration spawns the built editor on the offscreen platform (or the one named by
// QUENDRY_BENCH_PLATFORM, e.g. xcb under xvfb-run) with
// QUENDRY_REPORT_READY set, which makes it print "ready: N rooms" at that moment and
// end (src/editor/main.cpp). The clock runs from just before the spawn to the moment
// the line is read; the program's own ending is waited for outside the timing. The
// room count is checked, so a load that failed cannot pass for a fast one.
//
// Measured on the shared two-core build machine (load average about 8 from other
// builds), RelWithDebInfo: no file 148 ms mean, 187 ms worst of 20; 99,000 rooms
// 912 ms mean, 1117 ms worst of 8. Under xvfb-run with QUENDRY_BENCH_PLATFORM=xcb:
// 219 ms / 313 ms and 742 ms / 875 ms.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "zone_files.h"

extern char** environ;

namespace {

// Starts the editor with its file (if any) and returns the seconds until it reported
// its main window ready; aborts the run when it says anything else or fails.
double timeStartup(const std::string& file, std::size_t rooms) {
    int out[2];
    if (::pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string var = *e;
        if (var.rfind("QT_QPA_PLATFORM=", 0) != 0 && var.rfind("QUENDRY_REPORT_READY=", 0) != 0)
            env.push_back(var);
    }
    // offscreen unless QUENDRY_BENCH_PLATFORM names another (xcb under xvfb-run).
    const char* platform = std::getenv("QUENDRY_BENCH_PLATFORM");
    env.push_back(std::string("QT_QPA_PLATFORM=") + (platform ? platform : "offscreen"));
    env.push_back("QUENDRY_REPORT_READY=1");
    std::vector<char*> envp;
    for (std::string& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string program = QUENDRYEDIT_BINARY;
    std::string fileArg = file;
    std::vector<char*> argv{program.data()};
    if (!file.empty()) argv.push_back(fileArg.data());
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) std::abort();
    ::close(out[1]);
    std::string line;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') line += c;
    const auto ready = std::chrono::steady_clock::now();
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);

    const std::string expected = "ready: " + std::to_string(rooms) + " rooms";
    if (line != expected || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "quendryedit said \"%s\" (expected \"%s\"), status %d\n", line.c_str(),
                     expected.c_str(), status);
        std::abort();
    }
    return std::chrono::duration<double>(ready - start).count();
}

void StartupToUsableWindow(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    const std::string file = rooms ? zoneFile(rooms) : std::string();
    // The editor reads its side files from the directory it starts in: an empty one.
    const auto dir =
        std::filesystem::temp_directory_path() / ("quendry-startup-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    timeStartup(file, rooms);  // a first start fills the page cache; not counted
    double worst = 0;
    for (auto _ : state) {
        const double seconds = timeStartup(file, rooms);
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    state.counters["worst_ms"] = worst * 1000;
    state.counters["goal_ms"] = rooms ? 2000 : 500;
}

}  // namespace

BENCHMARK(StartupToUsableWindow)->Arg(0)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartupToUsableWindow)->Arg(99000)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
