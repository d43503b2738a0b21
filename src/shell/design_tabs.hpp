#pragma once
// A tab control whose pages place their controls by design coordinates, which count from the
// tab control's own top-left corner (tab bar included). Whenever the page area moves (style,
// font), the controls are moved so they keep their design place.

#include <QRect>
#include <QTabWidget>

namespace delist {

class DesignTabs : public QTabWidget {
    Q_OBJECT
  public:
    explicit DesignTabs(QWidget* parent = nullptr);

    QWidget* add_page(const QString& title);
    // Puts w on page at the design rectangle (tab control coordinates).
    void place(QWidget* page, QWidget* w, const QRect& design);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place_all();
    QWidget* page_area_;
};

}  // namespace delist
