#pragma once
#include "sequences/ui/prompter.h"
#include <QList>
#include <QQueue>
#include <QStringList>

// Answers the setup windows' boxes from a script and records what they said.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown { QString title; QString text; };

    QQueue<std::optional<QString>> texts;   // answers to the name box (nothing = Cancel)
    QQueue<bool> confirms;                  // answers to OK/Cancel questions
    QList<Shown> informed;
    QList<Shown> asked;

    void inform(QWidget *, const QString &title, const QString &text) override
    {
        informed.append({title, text});
    }
    void confirm(QWidget *, const QString &title, const QString &text,
                 std::function<void(bool)> done) override
    {
        asked.append({title, text});
        done(!confirms.isEmpty() && confirms.dequeue());
    }
    void askText(QWidget *, const QString &title, const QString &prompt,
                 std::function<void(std::optional<QString>)> done) override
    {
        asked.append({title, prompt});
        done(texts.isEmpty() ? std::nullopt : texts.dequeue());
    }

    QStringList informedTexts() const
    {
        QStringList out;
        for (const Shown &s : informed)
            out << s.text;
        return out;
    }
};
