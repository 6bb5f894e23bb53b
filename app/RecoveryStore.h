#pragma once
// Copies of unsaved documents in the user's data folder, so that a story survives a crash,
// a kill or a power cut. Each running program writes one file, "<id>.recovery", next to a
// lock file "<id>.lock" that it holds while it runs; a recovery file whose lock nobody
// holds was left by a program that ended without saving, and is offered at the next start.
//
// Writes go through FileUtils::WriteFileSafely on one worker thread, in the order asked,
// so a slow disk never stalls typing and the file is always a whole copy.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What a recovery file holds.
struct TRecoveredDocument
{
    QString FileName; // where the document was last opened from or saved to; "" untitled
    bool PlainText = false; // Content is text in the document's file format, else Rich Text
    QString FirstWords; // the beginning of the text, for the question at start
    std::string Content;
};

// A recovery file left by an earlier run.
struct TKeptDocument
{
    QString Path;
    QDateTime Written;
    TRecoveredDocument Document;
};

class TRecoveryStore
{
public:
    // folder "" means "recovery" in the user's data folder.
    explicit TRecoveryStore(const QString &folder = QString());
    ~TRecoveryStore(); // waits for writes in progress, keeps the file, releases the lock

    const QString &Folder() const { return FFolder; }
    QString OwnPath() const; // this program's recovery file

    // Queues a safe write of the document as this program's recovery file; its Content is
    // made by content on the writer's thread, so a long document costs the caller little.
    void Write(TRecoveredDocument document, std::function<std::string()> content);
    // Queues removal of this program's recovery file (after a save, or work discarded).
    void Remove();
    // Waits until every queued write and removal is done.
    void Flush();

    // Recovery files of runs that ended without saving, oldest first. Unreadable ones are
    // left where they are and not listed. Their locks are taken until Release or Discard.
    std::vector<TKeptDocument> Kept();
    void Discard(const TKeptDocument &kept); // removes the file and its lock

    static std::string Encode(const TRecoveredDocument &document);
    static bool Decode(const std::string &bytes, TRecoveredDocument &document);

private:
    bool Lock();
    QString FFolder;
    QString FId;
    std::unique_ptr<QLockFile> FLock;
    std::vector<std::unique_ptr<QLockFile>> FKeptLocks;
    QThreadPool FWriter; // one thread: writes land in the order they were asked
};
