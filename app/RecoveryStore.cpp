#include "app/RecoveryStore.h"

#include "platform/core/FileUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

const std::string Magic = "Scrivlo recovery 1\n";

QString LockPathOf(const QString &recoveryPath)
{
    QString path = recoveryPath;
    path.chop(QStringLiteral(".recovery").size());
    return path + ".lock";
}

// A lock that a dead program left is taken over at once; a living one is never broken.
std::unique_ptr<QLockFile> TryLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return lock;
}

} // namespace

TRecoveryStore::TRecoveryStore(const QString &folder)
    : FFolder(folder)
    , FId(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (FFolder.isEmpty())
        FFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                      .filePath("recovery");
    FWriter.setMaxThreadCount(1);
}

TRecoveryStore::~TRecoveryStore()
{
    Flush();
}

QString TRecoveryStore::OwnPath() const
{
    return QDir(FFolder).filePath(FId + ".recovery");
}

bool TRecoveryStore::Lock()
{
    if (!FLock) {
        // The copies may be of private stories: no one but the user may list or read them.
        FileUtils::CreatePrivateFolder(QFile::encodeName(FFolder).toStdString());
        QFile::setPermissions(FFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        FLock = TryLock(LockPathOf(OwnPath()));
    }
    return FLock != nullptr;
}

void TRecoveryStore::Write(TRecoveredDocument document, std::function<std::string()> content)
{
    // Without its lock the file would look abandoned to another program: no write then.
    if (!Lock())
        return;
    FWriter.start([path = QFile::encodeName(OwnPath()).toStdString(),
                   document = std::move(document), content = std::move(content)]() mutable {
        try {
            document.Content = content();
            FileUtils::WriteFileSafely(path, Encode(document),
                                       FileUtils::TNewFileAccess::OwnerOnly);
        } catch (const std::exception &e) {
            // The document itself is untouched; the next pause in typing tries again.
            std::fprintf(stderr, "scrivlo: %s\n", e.what());
        }
    });
}

void TRecoveryStore::Remove()
{
    FWriter.start([path = OwnPath()] { QFile::remove(path); });
}

void TRecoveryStore::Flush()
{
    FWriter.waitForDone();
}

std::vector<TKeptDocument> TRecoveryStore::Kept()
{
    std::vector<TKeptDocument> kept;
    const QFileInfoList files
        = QDir(FFolder).entryInfoList({ "*.recovery" }, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &file : files) {
        if (file.absoluteFilePath() == QFileInfo(OwnPath()).absoluteFilePath())
            continue;
        auto lock = TryLock(LockPathOf(file.absoluteFilePath()));
        if (!lock)
            continue; // another running program's
        TKeptDocument entry { file.absoluteFilePath(), file.lastModified(), {} };
        try {
            if (!Decode(FileUtils::ReadWholeFile(entry.Path.toStdString()), entry.Document))
                continue;
        } catch (const std::exception &) {
            continue;
        }
        FKeptLocks.push_back(std::move(lock));
        kept.push_back(std::move(entry));
    }
    return kept;
}

void TRecoveryStore::Discard(const TKeptDocument &kept)
{
    QFile::remove(kept.Path);
    const QString lockPath = LockPathOf(kept.Path);
    std::erase_if(FKeptLocks, [&](const std::unique_ptr<QLockFile> &lock) {
        return lock->fileName() == lockPath;
    });
}

// A short header of "key value" lines, an empty line, then the document's bytes as they
// would be saved.
std::string TRecoveryStore::Encode(const TRecoveredDocument &document)
{
    QString words = document.FirstWords;
    words.replace('\n', ' ');
    QString name = document.FileName;
    name.replace('\n', ' ');
    return Magic + "name " + name.toStdString() + "\nplain " + (document.PlainText ? "1" : "0")
        + "\nwords " + words.toStdString() + "\n\n" + document.Content;
}

bool TRecoveryStore::Decode(const std::string &bytes, TRecoveredDocument &document)
{
    if (bytes.compare(0, Magic.size(), Magic) != 0)
        return false;
    const size_t end = bytes.find("\n\n", Magic.size() - 1);
    if (end == std::string::npos)
        return false;
    const QStringList lines
        = QString::fromStdString(bytes.substr(Magic.size(), end + 1 - Magic.size()))
              .split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QString key = line.section(' ', 0, 0), value = line.section(' ', 1);
        if (key == "name")
            document.FileName = value;
        else if (key == "plain")
            document.PlainText = value == "1";
        else if (key == "words")
            document.FirstWords = value;
    }
    document.Content = bytes.substr(end + 2);
    return true;
}
