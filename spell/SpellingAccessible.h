#pragma once
// The accessible text of a page checked while typing: the words a LiveSpellChecker
// underlines are reported in the text's attributes as "invalid:spelling;" (the attribute
// AT-SPI defines), so a screen reader can say "misspelt" where the eye sees the wavy line;
// the words flagged in context as "invalid:grammar;".

class QAccessibleInterface;
class QObject;
class QString;
class QTextEdit;

namespace SpellingAccessible {

// Gives edit, which must have its LiveSpellChecker child already, this accessible text in
// place of the plain one (installing, once, the factory that makes it).
void Attach(QTextEdit *edit);

// The factory itself (key: the object's class name).
QAccessibleInterface *Create(const QString &key, QObject *object);

} // namespace SpellingAccessible
