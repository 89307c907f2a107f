#include "platform/bikefilestore.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString saveFailed(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Filen \"%1\" kunde inte sparas: %2").arg(fileName, reason);
}

QString loadFailed(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Filen \"%1\" kunde inte läsas: %2").arg(fileName, reason);
}

} // namespace

QString bikeFileName(const QString& name)
{
    return name + QString::fromLatin1(bikefile::fileExtension.data(),
                                      static_cast<qsizetype>(bikefile::fileExtension.size()));
}

std::optional<QString> refuseName(const QString& name)
{
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || isControl(c.unicode())) {
            return QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        }
    }
    return std::nullopt;
}

SaveResult WriteBikeFile(const QString& directory, const QString& name,
                         const bikefile::BikeRecord& record)
{
    SaveResult result;
    result.fileName = bikeFileName(name);
    if (const auto refusal = refuseName(name)) {
        result.error = *refusal;
        return result;
    }
    const bikefile::FormatResult formatted = bikefile::formatRecord(record);
    if (!formatted.ok()) {
        result.unencodable = formatted.unencodable;
        return result;
    }
    QSaveFile file(QDir(directory).filePath(result.fileName));
    return detail::saveBytes(
        file, QByteArray(formatted.bytes.data(), static_cast<qsizetype>(formatted.bytes.size())));
}

namespace detail {

SaveResult saveBytes(QSaveFile& file, const QByteArray& bytes)
{
    SaveResult result;
    result.fileName = QFileInfo(file.fileName()).fileName();
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = saveFailed(result.fileName, file.errorString());
        return result;
    }
    // QSaveFile only learns of a failed write or flush if asked; left alone it would commit a
    // short or empty file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // cancelWriting() replaces the error text, so keep the system's reason first.
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        result.error = saveFailed(result.fileName, reason);
        return result;
    }
    if (!file.commit()) {
        result.error = saveFailed(result.fileName, file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace detail

LoadResult ReadBikeFile(const QString& path)
{
    LoadResult result;
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    if (!info.exists()) {
        result.error = loadFailed(fileName, QStringLiteral("filen finns inte."));
        return result;
    }
    if (info.isDir()) {
        result.error = loadFailed(fileName, QStringLiteral("det är en mapp, inte en fil."));
        return result;
    }
    // Opening a pipe or a device could wait forever or never end.
    if (!info.isFile()) {
        result.error = loadFailed(fileName, QStringLiteral("det är inte en vanlig fil."));
        return result;
    }
    QByteArray bytes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.error = loadFailed(fileName, file.errorString());
            return result;
        }
        // One byte more than allowed tells a file at the limit from a larger one, also when the
        // file grows while it is read.
        bytes = file.read(maxBikeFileSize + 1);
        if (file.error() != QFileDevice::NoError) {
            result.error = loadFailed(fileName, file.errorString());
            return result;
        }
        file.close();
    }
    if (bytes.size() > maxBikeFileSize) {
        result.error =
            QStringLiteral("Filen \"%1\" är för stor för att vara en hojfil.").arg(fileName);
        return result;
    }
    result.record = bikefile::parseRecord(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!result.record) {
        result.error = QStringLiteral("Filen \"%1\" är inte en hel hojfil: den tar slut före det "
                                      "femtonde värdet.")
                           .arg(fileName);
    }
    return result;
}

} // namespace platform
