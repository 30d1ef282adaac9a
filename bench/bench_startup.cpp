// From the start of a process to the first picture of its window: the
// program's own start against a bare QMainWindow of the same size, both timed
// in this run so the ratio holds on any machine, and, to show what words
// alone cost, the bare window with a menu and one label. Each sample starts
// this executable again as a child in the given role, offscreen (or on the
// platform IGN_STARTUP_PLATFORM names) and under the Russian locale, with the
// sample Data.dat beside it; the child reports when its window has been
// exposed and painted, and ends at once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ratio_run.h"
#include "app/program_start.h"
#include "ui/form/main_window.h"

extern char** environ;

namespace {

// The height of the program's menu bar offscreen with the installed fonts.
constexpr int kMenuBarHeight = 24;

// Reports the first expose of any window once its paint is done: the widget
// repaint runs inside the expose handling, so a zero timer comes after it.
class FirstPicture : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                // Leaving through the window's close would write Data.dat.
                std::_Exit(0);
            });
        }
        return false;
    }
};

int runChild(int argc, char** argv, const std::string& role, const QString& folder)
{
    QApplication app(argc, argv);
    FirstPicture watcher;
    app.installEventFilter(&watcher);
    if (role == "program") {
        ign::ui::MainWindowOptions options;
        options.programFolder = folder;
        const ign::ui::RunningProgram program = ign::ui::startProgram(options);
        return QApplication::exec();
    }
    // The program's window: its form and the menu bar above it.
    QMainWindow window;
    window.setFixedSize(ign::ui::kFormWidth, ign::ui::kFormHeight + kMenuBarHeight);
    if (role == "text") {
        // What any window with words pays: a menu and one label.
        window.menuBar()->addMenu(QStringLiteral("Файл"));
        auto* label = new QLabel(QStringLiteral("Зависимость УОЗ от оборотов КВ"), &window);
        label->setGeometry(52, 40, 445, 26);
    }
    window.show();
    return QApplication::exec();
}

std::string selfPath;
std::string dataFolder;

struct ChildTimes {
    double wallSec = -1;  // from the spawn to the report
    double cpuSec = 0;  // all the child used, its exit included
};

ChildTimes timeChild(const char* role)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // Qt's start-up notes would only clutter the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string kv = *e;
        if (kv.rfind("QT_QPA_PLATFORM=", 0) != 0 && kv.rfind("LANG=", 0) != 0 &&
            kv.rfind("LC_", 0) != 0 && kv.rfind("LANGUAGE=", 0) != 0)
            env.push_back(kv);
    }
    // Offscreen unless asked otherwise: IGN_STARTUP_PLATFORM=xcb under
    // xvfb-run times the start as an X server sees it.
    const char* platform = std::getenv("IGN_STARTUP_PLATFORM");
    env.push_back(std::string("QT_QPA_PLATFORM=") +
                  (platform && *platform ? platform : "offscreen"));
    for (const char* kv : {"LANG=ru_RU.UTF-8", "LC_ALL=ru_RU.UTF-8"})
        env.emplace_back(kv);
    std::vector<char*> envp;
    for (std::string& kv : env)
        envp.push_back(kv.data());
    envp.push_back(nullptr);
    std::string roleArg = std::string("--child=") + role;
    char* args[] = {selfPath.data(), roleArg.data(), dataFolder.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, selfPath.c_str(), &actions, nullptr, args, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char line[16] = {};
    const ssize_t n = spawned == 0 ? read(out[0], line, sizeof line - 1) : -1;
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (spawned == 0)
        wait4(pid, &status, 0, &usage);
    if (n <= 0 || std::strncmp(line, "shown", 5) != 0 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    const auto seconds = [](timeval t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(end - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

void startUp(benchmark::State& bench, const char* role)
{
    double cpuSec = 0;
    for (auto _ : bench) {
        const ChildTimes times = timeChild(role);
        if (times.wallSec < 0) {
            bench.SkipWithError("the child did not show its window");
            return;
        }
        bench.SetIterationTime(times.wallSec);
        cpuSec += times.cpuSec;
    }
    // On a busy machine the wall time waits for the other processes; the
    // processor time the child used does not.
    bench.counters["child_cpu_ms"] =
        benchmark::Counter(cpuSec * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_StartBareWindow(benchmark::State& bench)
{
    startUp(bench, "bare");
}

void BM_StartWindowWithText(benchmark::State& bench)
{
    startUp(bench, "text");
}

void BM_StartProgram(benchmark::State& bench)
{
    startUp(bench, "program");
}

}  // namespace

BENCHMARK(BM_StartBareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6)
    ->Repetitions(5);
BENCHMARK(BM_StartWindowWithText)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6)
    ->Repetitions(5);
BENCHMARK(BM_StartProgram)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6)
    ->Repetitions(5);

int main(int argc, char** argv)
{
    if (argc == 3 && std::strncmp(argv[1], "--child=", 8) == 0)
        return runChild(argc, argv, argv[1] + 8, QString::fromLocal8Bit(argv[2]));

    QTemporaryDir folder;
    if (!folder.isValid() ||
        !QFile::copy(QStringLiteral(IGN_SAMPLE_DATA),
                     folder.filePath(QStringLiteral("Data.dat")))) {
        std::fputs("cannot set up the program folder\n", stderr);
        return 1;
    }
    selfPath = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath().toStdString();
    dataFolder = folder.path().toStdString();
    return runWithRatios(argc, argv,
                         {{"BM_StartProgram", "BM_StartBareWindow", "",
                           "program / bare window, time to the picture"},
                          {"BM_StartProgram", "BM_StartBareWindow", "child_cpu_ms",
                           "program / bare window, processor time"},
                          {"BM_StartWindowWithText", "BM_StartBareWindow", "",
                           "window with a menu and a label / bare window, time to the picture"},
                          {"BM_StartWindowWithText", "BM_StartBareWindow", "child_cpu_ms",
                           "window with a menu and a label / bare window, processor time"}});
}
