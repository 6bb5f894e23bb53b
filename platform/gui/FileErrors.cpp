#include "platform/gui/FileErrors.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("FileErrors", text);
}

QString SystemReason(int code, const QString &path, TFileAction action)
{
    const bool saving = action == TFileAction::Save;
    switch (code) {
    case ENOENT:
        return saving ? Tr("the folder does not exist") : Tr("the file does not exist");
    case ENOTDIR:
        return Tr("a part of its path is not a folder");
    case EACCES:
    case EPERM:
        if (!saving)
            return Tr("you do not have permission to open it");
        return QFileInfo::exists(path) ? Tr("you do not have permission to change this file")
                                       : Tr("you do not have permission to save in this folder");
    case EROFS:
        return Tr("the disk cannot be written to");
    case ENOSPC:
    case EDQUOT:
        return Tr("the disk is full");
    case EISDIR:
        return Tr("it is a folder");
    case ENAMETOOLONG:
        return Tr("the name is too long");
    case EIO:
        return Tr("the disk could not be read or written");
    case EFBIG:
        return Tr("the file is too large for the disk");
    case ENOMEM:
        return Tr("there is not enough memory");
    case EBUSY:
    case ETXTBSY:
        return Tr("the file is in use");
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
        return Tr("it is not an ordinary file (it may be a device or a pipe)");
    case EStreamError::TCause::TooLarge:
        return Tr("it is larger than %1 MB, the most Scrivlo can open")
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
    const QString file
        = reason.isEmpty() ? Tr("“%1”.").arg(path) : Tr("“%1”: %2.").arg(path, reason);
    return designed + ".\n" + file;
}
