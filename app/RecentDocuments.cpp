#include "app/RecentDocuments.h"

#include "app/Settings.h"

#include <QStringList>

namespace {

// Each entry is "rtf:PATH" or "txt:PATH".
const char *const Key = "RecentDocuments";

void Store(const QList<TRecentDocument> &list)
{
    QStringList entries;
    for (const TRecentDocument &d : list)
        entries << (d.PlainText ? "txt:" : "rtf:") + d.FileName;
    Settings::Store().setValue(Key, entries);
}

} // namespace

namespace RecentDocuments {

QList<TRecentDocument> List()
{
    QList<TRecentDocument> list;
    for (const QString &entry : Settings::Store().value(Key).toStringList()) {
        const bool plain = entry.startsWith("txt:");
        if ((plain || entry.startsWith("rtf:")) && entry.size() > 4 && list.size() < MaxCount)
            list.append({ entry.mid(4), plain });
    }
    return list;
}

void Add(const QString &fileName, bool plainText)
{
    QList<TRecentDocument> list = List();
    list.removeIf([&](const TRecentDocument &d) { return d.FileName == fileName; });
    list.prepend({ fileName, plainText });
    Store(list.mid(0, MaxCount));
}

void Remove(const QString &fileName)
{
    QList<TRecentDocument> list = List();
    list.removeIf([&](const TRecentDocument &d) { return d.FileName == fileName; });
    Store(list);
}

} // namespace RecentDocuments
