#pragma once
// What the copy of unsaved work needs of the window that edits the document: the page,
// the document's name and format, and a way to put a kept story back on the page.

#include <QString>
#include <string>

class TRichEdit;

class TRecoverableDocument
{
public:
    virtual TRichEdit *RichEdit() const = 0;
    virtual const QString &FileName() const = 0;
    virtual bool PlainTextFormat() const = 0;
    // Puts a story kept by an earlier run on the page, as unsaved work under fileName.
    virtual void RestoreDocument(const std::string &content, const QString &fileName,
                                 bool plainText)
        = 0;

protected:
    ~TRecoverableDocument() = default;
};
