#include "tab_strip.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace quorlin {

TabStrip::TabStrip(const QStringList& captions, QWidget* parent) : QWidget(parent), bar_(new QTabBar(this))
{
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    // Taking the focus on a click ends a cell edit, as a click on a box does; otherwise
    // the edit box of a panel now covered would go on taking keys.
    bar_->setFocusPolicy(Qt::StrongFocus);
    for (const QString& caption : captions) bar_->addTab(caption);
    connect(bar_, &QTabBar::currentChanged, this, &TabStrip::tabSelected);
}

int TabStrip::selectedTab() const { return bar_->currentIndex(); }

void TabStrip::selectTab(int index)
{
    if (bar_->currentIndex() == index)
        emit tabSelected(index);
    else
        bar_->setCurrentIndex(index);
}

QRect TabStrip::frameRect() const
{
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    const int top = bar_->sizeHint().height() - overlap;
    return QRect(0, top, width(), height() - top);
}

QRect TabStrip::clientArea() const
{
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = frameRect();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return option.rect.adjusted(frame, frame, -frame, -frame).translated(pos());
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = frameRect();
    option.shape = bar_->shape();
    option.tabBarSize = bar_->sizeHint();
    option.tabBarRect = bar_->geometry();
    option.selectedTabRect = bar_->tabRect(bar_->currentIndex()).translated(bar_->pos());
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void TabStrip::resizeEvent(QResizeEvent*)
{
    const QSize hint = bar_->sizeHint();
    bar_->setGeometry(0, 0, qMin(hint.width(), width()), hint.height());
}

}  // namespace quorlin
