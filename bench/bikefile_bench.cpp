// The .hoj reader and writer alone, in bytes a second, beside a plain read of the same file into
// memory: a typical bike file, and one with a 60 KiB comment,
// near the 64 KiB that a bike file may hold.
#include "bikefile/format/bikefile.h"
#include "platform/files/bikefilestore.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace {

// Argument: the comment's length in bytes.
bikefile::BikeRecord bike(std::size_t commentBytes)
{
    std::string comment;
    while (comment.size() < commentBytes)
        comment += "Byt kedja och drev vid 2000 mil.\n";
    comment.resize(commentBytes);
    return {"11000", "24",    "60",    "2,500", "40",    "14",    "2,857", "190",
            "2,769", "1,882", "1,450", "1,174", "1,000", "0,880", comment};
}

QTemporaryDir& directory()
{
    static QTemporaryDir dir;
    return dir;
}

// The temporary directory, opened for the store.
const platform::Directory& opened()
{
    static const platform::Directory dir(QFile::encodeName(directory().path()).constData());
    return dir;
}

// A save as the program makes it: formatted, then written by the store.
bool save(const QString& name, const bikefile::BikeRecord& record)
{
    return platform::WriteBikeFile(opened(), name, bikefile::formatRecord(record).bytes).ok;
}

// The bike file for a benchmark's argument, written once.
QString bikePath(const benchmark::State& state)
{
    const QString name = QStringLiteral("bike%1").arg(state.range(0));
    const QString path = directory().filePath(platform::bikeFileName(name));
    if (!QFile::exists(path))
        save(name, bike(static_cast<std::size_t>(state.range(0))));
    return path;
}

std::string bytesOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

void count(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.SetLabel(std::to_string(bytes) + " B");
}

void plainRead(benchmark::State& state)
{
    const QString path = bikePath(state);
    qint64 size = 0;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the file");
        QByteArray bytes = file.readAll();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    count(state, static_cast<std::size_t>(size));
}

void parseRecord(benchmark::State& state)
{
    const std::string bytes = bytesOf(bikePath(state));
    for (auto _ : state) {
        auto record = bikefile::parseRecord(bytes);
        if (!record)
            state.SkipWithError("the file does not parse");
        benchmark::DoNotOptimize(record);
    }
    count(state, bytes.size());
}

void formatRecord(benchmark::State& state)
{
    const bikefile::BikeRecord record = bike(static_cast<std::size_t>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        bikefile::FormatResult formatted = bikefile::formatRecord(record);
        size = formatted.bytes.size();
        benchmark::DoNotOptimize(formatted);
    }
    count(state, size);
}

// A load as the program makes it: read whole by the store, then parsed.
void ReadBikeFile(benchmark::State& state)
{
    const QString path = bikePath(state);
    const std::string name = QFile::encodeName(QFileInfo(path).fileName()).toStdString();
    for (auto _ : state) {
        platform::LoadResult loaded = platform::ReadBikeFile(opened(), name, bikefile::maxFileSize);
        auto record = bikefile::parseRecord(loaded.bytes.value_or(""));
        if (!record)
            state.SkipWithError("the file does not load");
        benchmark::DoNotOptimize(record);
    }
    count(state, bytesOf(path).size());
}

// A save as the program makes it: formatted, written to a temporary file, flushed to disk and
// renamed over the old one.
void WriteBikeFile(benchmark::State& state)
{
    const QString path = bikePath(state);
    const bikefile::BikeRecord record = bike(static_cast<std::size_t>(state.range(0)));
    const QString name = QStringLiteral("bike%1").arg(state.range(0));
    for (auto _ : state)
        if (!save(name, record))
            state.SkipWithError("the save failed");
    count(state, bytesOf(path).size());
}

// Beside the writer: the same bytes written in place with QFile, nothing flushed to disk.
void plainWrite(benchmark::State& state)
{
    const std::string bytes = bytesOf(bikePath(state));
    const QString path = directory().filePath(QStringLiteral("plain.hoj"));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()))
            state.SkipWithError("the write failed");
    }
    count(state, bytes.size());
}

constexpr int typicalComment = 22;
constexpr int largeComment = 60 * 1024;

BENCHMARK(plainRead)->Arg(typicalComment)->Arg(largeComment);
BENCHMARK(parseRecord)->Arg(typicalComment)->Arg(largeComment);
BENCHMARK(formatRecord)->Arg(typicalComment)->Arg(largeComment);
BENCHMARK(ReadBikeFile)->Arg(typicalComment)->Arg(largeComment);
BENCHMARK(plainWrite)->Arg(typicalComment)->Arg(largeComment);
BENCHMARK(WriteBikeFile)->Arg(typicalComment)->Arg(largeComment);

} // namespace

BENCHMARK_MAIN();
