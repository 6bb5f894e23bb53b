#pragma once
// The last documents opened or saved, newest first, kept in the user's settings.

#include <QList>
#include <QString>

struct TRecentDocument
{
    QString FileName;
    bool PlainText = false; // the format it was last opened or saved in
};

namespace RecentDocuments {

constexpr int MaxCount = 6;

QList<TRecentDocument> List();
void Add(const QString &fileName, bool plainText); // moves it to the top
void Remove(const QString &fileName);

} // namespace RecentDocuments
