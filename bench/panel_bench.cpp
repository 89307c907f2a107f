// The file panel at scale: a main window (offscreen, never shown) started in a directory of
// 10,000 bike files. The list read, at start and after a save, is timed against a bare QDir
// listing with the panel's filter and sort; a load on selection against a plain read of the file.
#include "app/application.h"
#include "bikefile/filepanel.h"
#include "app/mainwindow.h"
#include "platform/messages.h"

#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int fileCount = 10000;
const QString savedName = QStringLiteral("bench");

class QuietMessages : public platform::Messages
{
public:
    void warn(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "warning: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
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

// The directory of 10,000 bike files, a few other files, and the window started in it.
struct Scene
{
    Scene()
    {
        const char* makes[] = {"Yamaha",    "honda",  "Suzuki", "kawasaki", "KTM",
                               "Husqvarna", "monark", "Puch",   "Crescent", "Zündapp"};
        std::vector<QString> names;
        for (int i = 0; i + 1 < fileCount; ++i)
            names.push_back(QStringLiteral("%1 %2.hoj")
                                .arg(QString::fromUtf8(makes[i % 10]))
                                .arg(i / 10, 4, 10, QLatin1Char('0')));
        std::shuffle(names.begin(), names.end(), std::mt19937(6));
        names.push_back(savedName + QStringLiteral(".hoj"));
        for (std::size_t i = 0; i < names.size(); ++i)
            write(names[i], bike(static_cast<int>(i)));
        for (const char* other : {"notes.txt", "backup.hoj.bak", "hoj"})
            QFile(dir.filePath(QString::fromLatin1(other))).open(QIODevice::WriteOnly);

        QDir::setCurrent(dir.path());
        window = std::make_unique<app::MainWindow>(messages);
        window->findChild<QAction*>("advanced")->trigger();
        list = window->findChild<QListWidget*>("File1");
    }

    void write(const QString& name, const bikefile::BikeRecord& record)
    {
        QFile file(dir.filePath(name));
        const std::string bytes = bikefile::formatRecord(record).bytes;
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    }

    QTemporaryDir dir;
    QuietMessages messages;
    std::unique_ptr<app::MainWindow> window;
    QListWidget* list = nullptr;
};

Scene* scene = nullptr;

// The panel's listing, without the panel.
QStringList bareList()
{
    return QDir(scene->dir.path())
        .entryList({QStringLiteral("*.hoj")}, QDir::Files | QDir::Hidden,
                   QDir::Name | QDir::IgnoreCase);
}

bool listComplete(benchmark::State& state)
{
    if (scene->list->count() == fileCount)
        return true;
    state.SkipWithError("the list does not hold every bike file");
    return false;
}

void listReadBareQDir(benchmark::State& state)
{
    for (auto _ : state) {
        QStringList names = bareList();
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
        auto list = std::make_unique<QListWidget>();
        std::unique_ptr<bikefile::FilePanel> panel;
        state.ResumeTiming();
        panel = std::make_unique<bikefile::FilePanel>(scene->window->fields(), *list,
                                                      scene->messages, *scene->window);
        panel->Form_Load();
        state.PauseTiming();
        if (list->count() != fileCount)
            state.SkipWithError("the list does not hold every bike file");
        list.reset(); // before the panel that reacts to it
        panel.reset();
        state.ResumeTiming();
    }
}

// After a save: the full list emptied and read again.
void listReadAgain(benchmark::State& state)
{
    for (auto _ : state)
        scene->window->panel().Dir1_Change();
    listComplete(state);
}

void saveBare(benchmark::State& state)
{
    bikefile::BikeRecord record = bike(1);
    for (auto _ : state) {
        if (!platform::WriteBikeFile(scene->dir.path(), savedName, record).ok)
            state.SkipWithError("the save failed");
        QStringList names = bareList();
        benchmark::DoNotOptimize(names);
    }
}

// spara: the fields written to bench.hoj, replacing it, and the list read again.
void savePanel(benchmark::State& state)
{
    scene->list->setCurrentRow(1);
    scene->window->fields().setText(calc::Field::TrFilnamn, savedName.toStdString());
    auto* spara = scene->window->findChild<QPushButton*>("spara1");
    for (auto _ : state)
        spara->click();
    listComplete(state);
}

void loadPlainRead(benchmark::State& state)
{
    const QString paths[] = {scene->dir.filePath(scene->list->item(10)->text()),
                             scene->dir.filePath(scene->list->item(5000)->text())};
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
    const int rows[] = {10, 5000};
    int n = 0;
    for (auto _ : state)
        scene->list->setCurrentRow(rows[n++ % 2]);
    const std::string expected = scene->list->item(rows[(n + 1) % 2])->text().toStdString();
    if (scene->window->fields().text(calc::Field::TrFilnamn) != expected ||
        scene->window->fields().text(calc::Field::ettanhast).empty())
        state.SkipWithError("the selection did not load the file");
}

BENCHMARK(listReadBareQDir)->Unit(benchmark::kMillisecond);
BENCHMARK(listReadAtStart)->Unit(benchmark::kMillisecond);
BENCHMARK(listReadAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(saveBare)->Unit(benchmark::kMillisecond);
BENCHMARK(savePanel)->Unit(benchmark::kMillisecond);
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
