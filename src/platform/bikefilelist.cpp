#include "platform/bikefilelist.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool isBikeFileName(std::string_view name)
{
    constexpr std::string_view extension = ".hoj";
    if (name.size() < extension.size())
        return false;
    const std::string_view end = name.substr(name.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

// The entry's kind from the directory, or from the entry itself where the directory does not
// say (DT_UNKNOWN) or where it is a link, which counts as the kind of what it points to.
bool isRegularFile(int directory, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat status{};
    return fstatat(directory, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

// The order of the list: the lower-case name, then the name's bytes. A name in plain ASCII
// (nearly all of them) is lowered byte by byte; any other through the toolkit.
void appendSortKey(std::string& keys, std::string_view name)
{
    if (std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; })) {
        for (const char c : name)
            keys += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return;
    }
    const QByteArray lower =
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower().toUtf8();
    keys.append(lower.constData(), static_cast<std::size_t>(lower.size()));
}

struct SortEntry
{
    std::uint64_t head; // the key's first eight bytes, big end first: most comparisons end here
    std::uint32_t key;
    std::uint32_t name;
    std::uint16_t keyLength;
    std::uint16_t nameLength;
};

std::uint64_t headOf(std::string_view key)
{
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return head;
}

} // namespace

std::string_view BikeFileNames::raw(int row) const
{
    const std::size_t start = m_starts[static_cast<std::size_t>(row)];
    return std::string_view(m_bytes.data() + start); // each name ends in a NUL
}

QString BikeFileNames::shown(int row) const
{
    const std::string_view name = raw(row);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::string bikeFilePath(const QString& directory, std::string_view name)
{
    std::string path = QFile::encodeName(directory).toStdString();
    path += '/';
    path += name;
    return path;
}

BikeFileNames listBikeFiles(const QString& directory)
{
    BikeFileNames names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(QFile::encodeName(directory).constData()),
                                                  closedir);
    if (!dir)
        return names;
    std::string keys;
    std::vector<SortEntry> entries;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!isBikeFileName(name) || !isRegularFile(dirfd(dir.get()), *entry))
            continue;
        SortEntry e{};
        e.name = static_cast<std::uint32_t>(names.m_bytes.size());
        e.nameLength = static_cast<std::uint16_t>(name.size());
        names.m_bytes.append(name).push_back('\0');
        e.key = static_cast<std::uint32_t>(keys.size());
        appendSortKey(keys, name);
        e.keyLength = static_cast<std::uint16_t>(keys.size() - e.key);
        e.head = headOf(std::string_view(keys).substr(e.key, e.keyLength));
        entries.push_back(e);
    }
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const std::string_view keyA(keys.data() + a.key, a.keyLength);
        const std::string_view keyB(keys.data() + b.key, b.keyLength);
        if (const int order = keyA.compare(keyB); order != 0)
            return order < 0;
        return std::string_view(names.m_bytes.data() + a.name, a.nameLength) <
               std::string_view(names.m_bytes.data() + b.name, b.nameLength);
    });
    names.m_starts.reserve(entries.size());
    for (const SortEntry& e : entries)
        names.m_starts.push_back(e.name);
    return names;
}

int removeBikeFile(const QString& directory, std::string_view name)
{
    return ::unlink(bikeFilePath(directory, name).c_str()) == 0 ? 0 : errno;
}

} // namespace platform
