#pragma once

#include <QString>

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The bike files of a directory, as the file panel lists them. A name is kept as the bytes the
// directory holds, so that a name that is not valid UTF-8 (copied from an old Windows disk) can
// still be shown, loaded and removed.
namespace platform {

// A bike file's name is the name the user typed, unchanged, followed by this, in lower case.
inline constexpr std::string_view fileExtension = ".hoj";

// A directory held open. The panel opens its directory once and works in it through this from
// then on, so that neither the bytes of its name nor a later rename, or a link put in its
// place, can move the work elsewhere.
class Directory
{
public:
    Directory() = default; // none: every operation in it fails as in a directory that is gone
    // Opens the directory at path ("." is the working directory).
    explicit Directory(const char* path);
    ~Directory();
    Directory(Directory&& other) noexcept;
    Directory& operator=(Directory&& other) noexcept;
    // The descriptor for the *at() system calls, or -1 when it could not be opened.
    int fd() const { return m_fd; }
    // Why it could not be opened: an errno value; 0 when open.
    int error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = ENOENT;
};

// The names in list order: case ignored, ties in byte order. All names share one buffer.
class BikeFileNames
{
public:
    int size() const { return static_cast<int>(m_starts.size()); }
    // The name as the directory holds it.
    std::string_view raw(int row) const;
    // The name as the user reads it: UTF-8, with U+FFFD standing in for bytes that are not.
    QString shown(int row) const;

private:
    friend BikeFileNames listBikeFiles(const Directory& directory);
    std::string m_bytes;                 // every name, each followed by a NUL
    std::vector<std::uint32_t> m_starts; // where each name begins, in list order
};

// The regular files of directory whose names end in ".hoj" in any letter case, hidden ones too,
// and symbolic links to such files. Directories and other kinds are left out. The entry type
// comes from the directory itself; only where the file system does not give it (and for links)
// is the entry looked at. A directory that cannot be read gives no names.
BikeFileNames listBikeFiles(const Directory& directory);

// Removes the entry name of directory: a symbolic link is removed itself, never its target.
// Returns 0, or the errno value of the failure.
int removeBikeFile(const Directory& directory, std::string_view name);

} // namespace platform
