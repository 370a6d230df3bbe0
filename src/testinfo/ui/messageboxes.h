#pragma once
#include <QString>
#include <functional>

class QWidget;

// The message boxes of the test information windows. They open window-modal
// and answer through a callback, so no window waits in a nested event loop.
namespace TestInfoBoxes {

// A message with an OK button.
void inform(QWidget *parent, const QString &title, const QString &text);

// A question with OK and Cancel; done(true) only after OK.
void confirm(QWidget *parent, const QString &title, const QString &text, std::function<void(bool ok)> done);

} // namespace TestInfoBoxes
