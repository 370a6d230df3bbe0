#pragma once
// Records the message boxes the review would show.
#include "sequences/ui/prompter.h"
#include <QStringList>

class RecordingPrompter : public Prompter
{
public:
    struct Box
    {
        QString title, text;
    };
    QList<Box> boxes;

    void inform(QWidget *, const QString &title, const QString &text) override { boxes.append({title, text}); }
    void confirm(QWidget *, const QString &title, const QString &text, std::function<void(bool)> done) override
    {
        boxes.append({title, text});
        done(true);
    }
    void askText(QWidget *, const QString &title, const QString &prompt,
                 std::function<void(std::optional<QString>)> done) override
    {
        boxes.append({title, prompt});
        done(std::nullopt);
    }
};
