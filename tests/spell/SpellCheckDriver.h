#pragma once
// Answers a running spell check as a user would: every question of the spelling dialog
// gets the next scripted action, every message box is recorded and answered.

#include "dialogs/TBitBtn.h"
#include "spell/TNewListBox.h"
#include "spell/TSpellForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <deque>
#include <functional>

struct Question
{
    QString word; // as the dialog shows it
    QStringList suggestions;
    QString selected; // the editor's selection while the question is asked
};

class SpellCheckDriver
{
public:
    // An action presses a button of the dialog, or does anything else to it.
    using Action = std::function<void(TSpellForm &)>;

    static Action Press(const char *button)
    {
        return [button](TSpellForm &form) { form.findChild<QAbstractButton *>(button)->click(); };
    }
    static Action ReplaceWith(const QString &text)
    {
        return [text](TSpellForm &form) {
            form.edtReplace->setText(text);
            form.btnReplace->click();
        };
    }

    std::function<QString()> selection; // reads the editor's selection
    std::deque<Action> actions; // an exhausted script cancels
    QStringList messageAnswers; // button names; "OK" when none is left
    std::vector<Question> questions;
    QStringList messages;

    SpellCheckDriver()
    {
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
        FTimer.start(5);
    }

private:
    void Poll()
    {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (auto *label = modal->findChild<QLabel *>("Message")) {
                messages << label->text();
                const QString name = messageAnswers.isEmpty() ? "OK" : messageAnswers.takeFirst();
                if (auto *b = modal->findChild<QAbstractButton *>(name))
                    b->click();
            }
            return;
        }
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<TSpellForm *>(w);
            if (!form || !form->isVisible() || form->Choice != srNone || !form->isEnabled())
                continue;
            Question q { form->edtBadWord->text(), {}, selection ? selection() : QString() };
            for (int i = 0; i < form->lstSuggest->count(); ++i)
                q.suggestions << form->lstSuggest->item(i)->text();
            // Events are handled during a check only while a question waits for its answer.
            questions.push_back(q);
            Action next = actions.empty() ? Press("btnCancel") : actions.front();
            if (!actions.empty())
                actions.pop_front();
            next(*form);
        }
    }

    QTimer FTimer;
};
