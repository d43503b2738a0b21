#include "shell/design_tabs.hpp"

#include <QEvent>
#include <QStackedWidget>

namespace delist {

namespace {

const char* const kDesignRect = "designRect";

}  // namespace

DesignTabs::DesignTabs(QWidget* parent)
    : QTabWidget(parent), page_area_(findChild<QStackedWidget*>()) {
    page_area_->installEventFilter(this);
}

QWidget* DesignTabs::add_page(const QString& title) {
    auto* page = new QWidget;
    addTab(page, title);
    return page;
}

void DesignTabs::place(QWidget* page, QWidget* w, const QRect& design) {
    w->setParent(page);
    w->setProperty(kDesignRect, design);
    w->setGeometry(design.translated(-page_area_->pos()));
}

bool DesignTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_area_ && event->type() == QEvent::Move) place_all();
    return QTabWidget::eventFilter(watched, event);
}

void DesignTabs::place_all() {
    const QPoint offset = page_area_->pos();
    for (int i = 0; i < count(); ++i) {
        for (QObject* child : widget(i)->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w) continue;
            const QVariant design = w->property(kDesignRect);
            if (design.isValid()) w->setGeometry(design.toRect().translated(-offset));
        }
    }
}

}  // namespace delist
