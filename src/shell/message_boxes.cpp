#include "shell/message_boxes.hpp"

#include <QMessageBox>

namespace delist {

namespace {

QMessageBox::Icon qt_icon(MessageBoxes::Icon icon) {
    switch (icon) {
        case MessageBoxes::Icon::Information:
            return QMessageBox::Information;
        case MessageBoxes::Icon::Question:
            return QMessageBox::Question;
        case MessageBoxes::Icon::Warning:
            return QMessageBox::Warning;
        case MessageBoxes::Icon::Error:
            return QMessageBox::Critical;
        case MessageBoxes::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

int run_box(const QString& text, const QString& title, MessageBoxes::Icon icon,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(qt_icon(icon), title, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

}  // namespace

void QtMessageBoxes::show_message(const QString& text, const QString& title, Icon icon) {
    run_box(text, title, icon, QMessageBox::Ok);
}

bool QtMessageBoxes::ask_yes_no(const QString& text, const QString& title, Icon icon) {
    return run_box(text, title, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace delist
