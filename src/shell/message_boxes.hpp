#pragma once
// Every message box of the window goes through this interface, so tests can read and answer them.

#include <QString>

namespace delist {

class MessageBoxes {
  public:
    enum class Icon { None, Information, Question, Warning, Error };

    virtual ~MessageBoxes() = default;
    // A box with an OK button.
    virtual void show_message(const QString& text, const QString& title, Icon icon) = 0;
    // A box with Yes and No; true only for Yes.
    virtual bool ask_yes_no(const QString& text, const QString& title, Icon icon) = 0;
};

// Application-modal boxes without an owner window.
class QtMessageBoxes : public MessageBoxes {
  public:
    void show_message(const QString& text, const QString& title, Icon icon) override;
    bool ask_yes_no(const QString& text, const QString& title, Icon icon) override;
};

}  // namespace delist
