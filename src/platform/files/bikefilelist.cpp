#include "platform/files/bikefilelist.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBikeFileName(std::string_view name)
{
    constexpr std::string_view extension = fileExtension;
    if (name.size() < extension.size())
        return false;
    const std::string_view end = name.substr(name.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

// The entry's kind from the directory, or from the entry itself where the directory does not
// say (DT_UNKNOWN) or where it is a link, which counts as the kind of what it points to.
bool isRegularFile(int directory, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat status = {};
    return fstatat(directory, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

// The order of the list: the lower-case name, then the name's bytes. A name in plain ASCII
// (nearly all of them) is its own key, lowered byte by byte as it is compared; any other name
// has its key lowered once, through the toolkit, and kept beside it.
struct SortEntry
{
    // The key's first sixteen bytes, big end first: most comparisons end here, without a look
    // at the names.
    std::uint64_t head[2];
    std::uint32_t name; // where the name begins in the names
    std::uint32_t key;  // where the key begins in the keys, for a name that is not plain ASCII
    std::uint16_t nameLength;
    std::uint16_t keyLength; // 0 for a plain ASCII name: the key is the name
};

struct Key
{
    std::string_view bytes;
    bool lower; // the bytes are to be lowered as they are compared
};

constexpr std::size_t headLength = 16;

// Compares two keys whose heads are equal.
int compareTails(Key a, Key b)
{
    const std::size_t common = std::min(a.bytes.size(), b.bytes.size());
    for (std::size_t i = headLength; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a.lower ? lowerAscii(a.bytes[i]) : a.bytes[i]);
        const auto y = static_cast<unsigned char>(b.lower ? lowerAscii(b.bytes[i]) : b.bytes[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.bytes.size() < b.bytes.size() ? -1 : a.bytes.size() > b.bytes.size() ? 1 : 0;
}

void setHead(std::uint64_t (&head)[2], Key key)
{
    for (std::size_t i = 0; i < headLength; ++i) {
        const char c = i < key.bytes.size() ? key.bytes[i] : '\0';
        head[i / 8] = head[i / 8] << 8 | static_cast<unsigned char>(key.lower ? lowerAscii(c) : c);
    }
}

} // namespace

Directory::Directory(const char* path)
    : m_fd(::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC)), m_error(m_fd < 0 ? errno : 0)
{
}

Directory::~Directory()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Directory::Directory(Directory&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_error(std::exchange(other.m_error, ENOENT))
{
}

Directory& Directory::operator=(Directory&& other) noexcept
{
    std::swap(m_fd, other.m_fd);
    std::swap(m_error, other.m_error);
    return *this;
}

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

BikeFileNames listBikeFiles(const Directory& directory)
{
    BikeFileNames names;
    // A reading of its own, from the first entry: "." opened anew in the directory held.
    const int fd = ::openat(directory.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(fdopendir(fd), closedir); // none for fd -1
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    // The directory's own size bounds what its names take: room for them all at once, so that
    // nothing is copied as the buffers grow. Pages never written cost no memory, but address
    // space they do, and a network or FUSE file system may report any size: the hint stops at
    // what a quarter of a million names of ordinary length take.
    constexpr off_t maxHint = off_t{8} << 20;
    struct stat status = {};
    if (fstat(dirfd(dir.get()), &status) == 0 && status.st_size > 0) {
        const auto hint = static_cast<std::size_t>(std::min(status.st_size, maxHint));
        names.m_bytes.reserve(hint);
        names.m_starts.reserve(hint / 16);
    }
    std::vector<SortEntry> entries;
    entries.reserve(names.m_starts.capacity());
    std::string keys;
    const auto keyOf = [&](const SortEntry& e) {
        return e.keyLength == 0
                   ? Key{std::string_view(names.m_bytes.data() + e.name, e.nameLength), true}
                   : Key{std::string_view(keys.data() + e.key, e.keyLength), false};
    };
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!isBikeFileName(name) || !isRegularFile(dirfd(dir.get()), *entry))
            continue;
        SortEntry e{};
        e.name = static_cast<std::uint32_t>(names.m_bytes.size());
        e.nameLength = static_cast<std::uint16_t>(name.size());
        names.m_bytes.append(name).push_back('\0');
        if (!std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; })) {
            const QByteArray lower =
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                    .toLower()
                    .toUtf8();
            e.key = static_cast<std::uint32_t>(keys.size());
            e.keyLength = static_cast<std::uint16_t>(lower.size());
            keys.append(lower.constData(), static_cast<std::size_t>(lower.size()));
        }
        setHead(e.head, keyOf(e));
        entries.push_back(e);
    }
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        if (const int order = compareTails(keyOf(a), keyOf(b)); order != 0)
            return order < 0;
        return std::string_view(names.m_bytes.data() + a.name, a.nameLength) <
               std::string_view(names.m_bytes.data() + b.name, b.nameLength);
    });
    for (const SortEntry& e : entries)
        names.m_starts.push_back(e.name);
    return names;
}

int removeBikeFile(const Directory& directory, std::string_view name)
{
    if (directory.fd() < 0)
        return directory.error();
    return ::unlinkat(directory.fd(), std::string(name).c_str(), 0) == 0 ? 0 : errno;
}

} // namespace platform
