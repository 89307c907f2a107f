#include "platform/files/bikefilelist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <sys/stat.h>

// Every directory claims to be 1 GiB large, as a network or FUSE file system may.
extern "C" int fstat(int fd, struct stat* status) noexcept
{
    const int result = fstatat(fd, "", status, AT_EMPTY_PATH);
    if (result == 0 && S_ISDIR(status->st_mode))
        status->st_size = 0x3fffffff;
    return result;
}

class BikeFileListTest : public QObject
{
    Q_OBJECT
private slots:
    // What the list takes follows the names it finds, not the size the directory reports.
    void memoryFollowsTheNames()
    {
        const QTemporaryDir dir;
        QVERIFY(std::ofstream(dir.filePath("a.hoj").toStdString()) << "\"1\"");
        const auto names =
            platform::listBikeFiles(platform::Directory(QFile::encodeName(dir.path())));
        QCOMPARE(names.size(), 1);
        QCOMPARE_LE(mallinfo2().hblkhd, std::size_t{64} << 20); // blocks of their own, mapped
    }
};

QTEST_GUILESS_MAIN(BikeFileListTest)
#include "bikefilelist_test.moc"
