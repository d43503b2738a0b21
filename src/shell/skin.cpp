#include "shell/skin.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace delist {

void apply_skin() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(240, 242, 245));
    palette.setColor(QPalette::Button, QColor(232, 235, 240));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(246, 248, 250));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(30, 30, 30));
    palette.setColor(QPalette::ButtonText, QColor(30, 30, 30));
    palette.setColor(QPalette::Highlight, QColor(60, 110, 180));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);

    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    QFont font = QApplication::font();
    if (QFontDatabase::families().contains(family)) font.setFamily(family);
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace delist
