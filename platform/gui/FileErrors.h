#pragma once
// Error messages that say which file could not be opened or saved, and why, in words a
// parent understands.

#include <QString>
#include <exception>

enum class TFileAction { Open, Save };

// Why the file at path could not be opened or saved, translated ("the disk is full"); empty
// when the error does not say.
QString FileErrorReason(const std::exception &e, const QString &path, TFileAction action);

// The message as designed, then the file and the reason on a second line:
// "Failed to Save Stream.\n“/home/ana/story.rtf”: the disk is full."
QString FileErrorMessage(const QString &designed, const QString &path, const std::exception &e,
                         TFileAction action);
