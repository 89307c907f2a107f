// The file panel at scale: a main window (offscreen, never shown) started in a directory of
// 100,000 bike files. The list read (at start, and again after a save or a delete) is timed
// against the floor: a bare read of the directory's names (readdir) and the same case-insensitive
// sort; a load on selection against a plain read of the file.
#include "app/application.h"
#include "app/mainwindow.h"
#include "bikefile/panel/filepanel.h"
#include "platform/widgets/messages.h"

#include "bikefile/format/bikefile.h"
#include "platform/files/bikefilestore.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace {

constexpr int fileCount = 100000;
const QString savedName = QStringLiteral("bench");
const QString deletedName = QStringLiteral("bench delete.hoj");

class QuietMessages : public platform::Messages
{
public:
    void warn(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
};

// A plausible setup that differs from file to file, so that each load changes every field.
bikefile::BikeRecord bike(int n)
{
    const auto s = [](auto v) { return std::to_string(v); };
    return {s(9000 + 10 * (n % 300)),
            s(20 + n % 7),
            s(55 + n % 9),
            "2," + s(100 + n % 800),
            s(36 + n % 12),
            s(12 + n % 6),
            "2," + s(500 + n % 400),
            s(180 + n % 30),
            "2,769",
            "1,882",
            "1,450",
            "1,174",
            n % 2 ? "1,000" : "",
            n % 3 ? "0,880" : "",
            "Setup nummer " + s(n) + "\nbyt kedja vid 2000 mil"};
}

// The directory of 100,000 bike files, a few other files, and the window started in it.
struct Scene
{
    Scene()
    {
        const char* makes[] = {"Yamaha",    "honda",  "Suzuki", "kawasaki", "KTM",
                               "Husqvarna", "monark", "Puch",   "Crescent", "Zündapp"};
        std::vector<std::string> names;
        for (int i = 0; i + 1 < fileCount; ++i)
            names.push_back(std::string(makes[i % 10]) + " " + std::to_string(100000 + i / 10) +
                            ".hoj");
        std::shuffle(names.begin(), names.end(), std::mt19937(6));
        names.push_back(savedName.toStdString() + ".hoj");
        for (std::size_t i = 0; i < names.size(); ++i)
            write(names[i], bike(static_cast<int>(i)));
        for (const char* other : {"notes.txt", "backup.hoj.bak", "hoj"})
            write(other, {});

        QDir::setCurrent(dir.path());
        window = std::make_unique<app::MainWindow>(messages);
        window->findChild<QAction*>("advanced")->trigger();
        list = window->findChild<QListView*>("File1");
    }

    void write(const std::string& name, const bikefile::BikeRecord& record)
    {
        const std::string bytes = bikefile::formatRecord(record).bytes;
        const std::string path = QFile::encodeName(dir.path()).toStdString() + "/" + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
        if (fd >= 0)
            ::close(fd);
    }

    int rows() const { return list->model()->rowCount(); }
    QString rowName(int row) const { return list->model()->index(row, 0).data().toString(); }
    void select(int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

    QTemporaryDir dir;
    QuietMessages messages;
    std::unique_ptr<app::MainWindow> window;
    QListView* list = nullptr;
};

Scene* scene = nullptr;

// The floor: the names of the directory's bike files, read with readdir and sorted once with
// case ignored, as a program that only listed them would do.
std::vector<std::string> bareList()
{
    std::vector<std::string> names;
    if (DIR* d = opendir(QFile::encodeName(scene->dir.path()).constData())) {
        while (const dirent* e = readdir(d)) {
            const std::size_t length = std::strlen(e->d_name);
            if (e->d_type == DT_REG && length >= 4 &&
                strcasecmp(e->d_name + length - 4, ".hoj") == 0)
                names.emplace_back(e->d_name, length);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

bool listComplete(benchmark::State& state, int expected = fileCount)
{
    if (scene->rows() == expected)
        return true;
    state.SkipWithError("the list does not hold every bike file");
    return false;
}

void listReadBare(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::string> names = bareList();
        benchmark::DoNotOptimize(names);
        if (names.size() != fileCount)
            state.SkipWithError("the listing does not hold every bike file");
    }
}

// At start: a new, empty list filled by Form_Load.
void listReadAtStart(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<QListView>();
        std::unique_ptr<bikefile::FilePanel> panel;
        state.ResumeTiming();
        panel = std::make_unique<bikefile::FilePanel>(scene->window->fields(), *list,
                                                      scene->messages, *scene->window);
        panel->Form_Load();
        state.PauseTiming();
        if (list->model()->rowCount() != fileCount)
            state.SkipWithError("the list does not hold every bike file");
        panel.reset();
        list.reset();
        state.ResumeTiming();
    }
}

// After a save or a delete: the full list read again.
void listReadAgain(benchmark::State& state)
{
    for (auto _ : state)
        scene->window->panel().Dir1_Change();
    listComplete(state);
}

// spara: the fields written to bench.hoj, replacing it, and the list read again.
void savePanel(benchmark::State& state)
{
    scene->select(1);
    scene->window->fields().setText(calc::Field::TrFilnamn, savedName.toStdString());
    auto* spara = scene->window->findChild<QPushButton*>("spara1");
    for (auto _ : state)
        spara->click();
    listComplete(state);
}

// Ta bort, answered yes: a file deleted and the list read again. The file is made again and
// listed, untimed, before each delete.
void deletePanel(benchmark::State& state)
{
    auto* tabort = scene->window->findChild<QPushButton*>("tabort1");
    for (auto _ : state) {
        state.PauseTiming();
        scene->write(deletedName.toStdString(), bike(7));
        scene->window->panel().Dir1_Change();
        int row = 0;
        while (row < scene->rows() && scene->rowName(row) != deletedName)
            ++row;
        scene->select(row);
        state.ResumeTiming();
        tabort->click();
    }
    if (QFile::exists(scene->dir.filePath(deletedName)))
        state.SkipWithError("the file was not deleted");
    listComplete(state);
}

void loadPlainRead(benchmark::State& state)
{
    const QString paths[] = {scene->dir.filePath(scene->rowName(10)),
                             scene->dir.filePath(scene->rowName(fileCount / 2))};
    int n = 0;
    for (auto _ : state) {
        QFile file(paths[n++ % 2]);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the file");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes);
    }
}

// A selection in File1: the file read, every field filled, the speeds computed.
void loadOnSelection(benchmark::State& state)
{
    const int rows[] = {10, fileCount / 2};
    int n = 0;
    for (auto _ : state)
        scene->select(rows[n++ % 2]);
    const std::string expected = scene->rowName(rows[(n + 1) % 2]).toStdString();
    if (scene->window->fields().text(calc::Field::TrFilnamn) != expected ||
        scene->window->fields().text(calc::Field::ettanhast).empty())
        state.SkipWithError("the selection did not load the file");
}

BENCHMARK(listReadBare)->Unit(benchmark::kMillisecond);
BENCHMARK(listReadAtStart)->Unit(benchmark::kMillisecond);
BENCHMARK(listReadAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(savePanel)->Unit(benchmark::kMillisecond);
BENCHMARK(deletePanel)->Unit(benchmark::kMillisecond);
BENCHMARK(loadPlainRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadOnSelection)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::setUpApplication();
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    benchmark::Initialize(&argc, argv);
    Scene theScene;
    scene = &theScene;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scene = nullptr;
    return 0;
}
