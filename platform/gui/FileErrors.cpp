#include "platform/gui/FileErrors.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <new>

// The translation context of the texts below.
class FileErrors
{
    Q_DECLARE_TR_FUNCTIONS(FileErrors)
};

namespace {

QString SystemReason(int code, const QString &path, TFileAction action)
{
    const bool saving = action == TFileAction::Save;
    switch (code) {
    case ENOENT:
        return saving ? FileErrors::tr("the folder does not exist")
                      : FileErrors::tr("the file does not exist");
    case ENOTDIR:
        return FileErrors::tr("a part of its path is not a folder");
    case EACCES:
    case EPERM:
        if (!saving)
            return FileErrors::tr("you do not have permission to open it");
        return QFileInfo::exists(path)
            ? FileErrors::tr("you do not have permission to change this file")
            : FileErrors::tr("you do not have permission to save in this folder");
    case EROFS:
        return FileErrors::tr("the disk cannot be written to");
    case ENOSPC:
    case EDQUOT:
        return FileErrors::tr("the disk is full");
    case EISDIR:
        return FileErrors::tr("it is a folder");
    case ENAMETOOLONG:
        return FileErrors::tr("the name is too long");
    case EIO:
        return FileErrors::tr("the disk could not be read or written");
    case EFBIG:
        return FileErrors::tr("the file is too large for the disk");
    case ENOMEM:
        return FileErrors::tr("there is not enough memory");
    case EBUSY:
    case ETXTBSY:
        return FileErrors::tr("the file is in use");
    case 0:
        return QString();
    default:
        return QString::fromLocal8Bit(std::strerror(code)); // rare: the system's own words
    }
}

} // namespace

QString FileErrorReason(const std::exception &e, const QString &path, TFileAction action)
{
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return SystemReason(ENOMEM, path, action);
    const auto *stream = dynamic_cast<const EStreamError *>(&e);
    if (!stream)
        return QString();
    switch (stream->Cause) {
    case EStreamError::TCause::NotAFile:
        return FileErrors::tr("it is not an ordinary file (it may be a device or a pipe)");
    case EStreamError::TCause::TooLarge:
        return FileErrors::tr("it is larger than %1 MB, the most Scrivlo can open")
            .arg(FileUtils::MaxFileSize / (1024 * 1024));
    case EStreamError::TCause::System:
        break;
    }
    return SystemReason(stream->ErrorCode, path, action);
}

QString FileErrorMessage(const QString &designed, const QString &path, const std::exception &e,
                         TFileAction action)
{
    const QString reason = FileErrorReason(e, path, action);
    const QString file = reason.isEmpty() ? FileErrors::tr("“%1”.").arg(path)
                                          : FileErrors::tr("“%1”: %2.").arg(path, reason);
    return designed + ".\n" + file;
}
