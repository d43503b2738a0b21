#pragma once
// Message boxes that record what was shown and answer from a script.

#include <QString>
#include <functional>
#include <vector>

#include "shell/message_boxes.hpp"

namespace delist {

struct ShownBox {
    QString text;
    QString title;
    MessageBoxes::Icon icon;
    bool yes_no;
};

class RecordingBoxes : public MessageBoxes {
  public:
    explicit RecordingBoxes(std::vector<ShownBox>& shown, bool answer_yes = false)
        : shown_(shown), answer_yes_(answer_yes) {}

    void show_message(const QString& text, const QString& title, Icon icon) override {
        shown_.push_back({text, title, icon, false});
        if (on_show) on_show();
    }
    bool ask_yes_no(const QString& text, const QString& title, Icon icon) override {
        shown_.push_back({text, title, icon, true});
        if (on_show) on_show();
        return answer_yes_;
    }

    std::function<void()> on_show;

  private:
    std::vector<ShownBox>& shown_;
    bool answer_yes_;
};

}  // namespace delist
