#include "app/startup.h"
#include "benchmain.h"

// Start-up as the user waits for it: from the moment the program is started
// until its first window (the launcher) has been exposed and painted. The
// real program is started on the offscreen platform with
// CARVELLO_EXIT_WHEN_SHOWN set, which makes it print "shown" at that moment
// and quit; the time is read when that line arrives, so the quitting is not
// counted. Each iteration is one whole process, timed by hand.
//
// Run with --empty-window, this program is itself the comparison: a Qt
// program that shows one empty window, timed the same way, which tells how
// much of the start-up is Qt's own.
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::string g_self;

struct Launch {
    bool ok = false;
    double toShown = 0; // seconds from the start of the process to "shown"
    double toExit = 0;  // seconds from the start to the end of the process
    std::string error;
};

// A data folder of its own, empty, so that start-up never reads or cleans
// the user's data.
const std::string &dataHome()
{
    static const std::string home = [] {
        const auto path = std::filesystem::temp_directory_path() / "carvello_bench_startup_home";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return home;
}

std::vector<std::string> childEnvironment()
{
    const std::vector<std::string> own = {"QT_QPA_PLATFORM=offscreen", "CARVELLO_EXIT_WHEN_SHOWN=1",
                                          "XDG_DATA_HOME=" + dataHome()};
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string &o : own)
            replaced = replaced || entry.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0;
        if (!replaced)
            env.push_back(entry);
    }
    env.insert(env.end(), own.begin(), own.end());
    return env;
}

Launch launch(const std::vector<std::string> &arguments)
{
    using Clock = std::chrono::steady_clock;
    Launch result;
    std::vector<std::string> env = childEnvironment();
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = arguments;
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = "no pipe";
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    // Qt's warnings of the offscreen platform would bury the results.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        result.error = "cannot start " + args[0] + ": " + std::strerror(spawned);
        return result;
    }

    // A program that never shows its window must not hang the benchmark.
    const Clock::time_point deadline = start + std::chrono::seconds(30);
    std::string output;
    bool shown = false;
    bool ended = false;
    while (!ended) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        char chunk[256];
        const ssize_t got = ::read(fds[0], chunk, sizeof chunk);
        if (got <= 0) {
            ended = true;
            break;
        }
        output.append(chunk, static_cast<std::size_t>(got));
        if (!shown && output.find("shown\n") != std::string::npos) {
            shown = true;
            result.toShown = std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
    ::close(fds[0]);
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.toExit = std::chrono::duration<double>(Clock::now() - start).count();
    if (!shown)
        result.error = ended ? "the program ended without showing its window" : "no window within 30 s";
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        result.error = "the program did not end with success";
    result.ok = result.error.empty();
    return result;
}

void runLaunches(benchmark::State &state, const std::vector<std::string> &arguments)
{
    double toExit = 0;
    for (auto _ : state) {
        const Launch l = launch(arguments);
        if (!l.ok) {
            state.SkipWithError(l.error.c_str());
            break;
        }
        state.SetIterationTime(l.toShown);
        toExit += l.toExit;
    }
    // Start to the end of the process, quitting included, per start.
    state.counters["to_exit_ms"] = benchmark::Counter(toExit * 1000, benchmark::Counter::kAvgIterations);
}

void BM_StartupToFirstWindow(benchmark::State &state) { runLaunches(state, {CARVELLO_PROGRAM}); }
BENCHMARK(BM_StartupToFirstWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_StartupEmptyQtWindow(benchmark::State &state) { runLaunches(state, {g_self, "--empty-window"}); }
BENCHMARK(BM_StartupEmptyQtWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The comparison program: one empty window, watched by the same code as the
// real program's first window.
int emptyWindow(int argc, char **argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    app::quitWhenShown(&window);
    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--empty-window") == 0)
        return emptyWindow(argc, argv);
    g_self = std::filesystem::canonical("/proc/self/exe").string();
    return bench::runBenchmarks(argc, argv);
}
