#pragma once
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Message boxes and the name input box of the setup windows. The boxes open
// window-modal and answer through callbacks, so no window waits in a nested
// event loop; tests put a scripted prompter in its place.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual void inform(QWidget *parent, const QString &title, const QString &text) = 0;
    // OK and Cancel; done(true) after OK.
    virtual void confirm(QWidget *parent, const QString &title, const QString &text,
                         std::function<void(bool ok)> done) = 0;
    // A one-line text; done(nothing) after Cancel.
    virtual void askText(QWidget *parent, const QString &title, const QString &prompt,
                         std::function<void(std::optional<QString>)> done) = 0;
};

// The real boxes.
class DialogPrompter : public Prompter
{
public:
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    void confirm(QWidget *parent, const QString &title, const QString &text,
                 std::function<void(bool ok)> done) override;
    void askText(QWidget *parent, const QString &title, const QString &prompt,
                 std::function<void(std::optional<QString>)> done) override;
};
