#include "skin/controls/LxScrollingLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>
#include <climits>

TLxScrollingLabel::TLxScrollingLabel(QWidget* parent) : TLxCustomLabel(parent) {
    SetAutoSize(false);
    connect(&timer_, &QTimer::timeout, this, &TLxScrollingLabel::Scroll);
    UpdateTimer();
}

void TLxScrollingLabel::SetText(const QString& value) {
    text_ = ScrollingTextOf(value);
    workText_ = text_;
    SetCaption(text_);
    SetNoGrap(noGrap_);
}

void TLxScrollingLabel::SetNoGrap(bool value) {
    noGrap_ = value;
    const QFontMetrics metrics(font());
    workText_ =
        WorkTextOf(text_, noGrap_, width(), [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
}

void TLxScrollingLabel::SetScrolling(bool value) {
    scrolling_ = value;
    UpdateTimer();
}

void TLxScrollingLabel::SetScrollInterval(unsigned value) {
    scrollInterval_ = value;
    UpdateTimer();
}

void TLxScrollingLabel::UpdateTimer() {
    timer_.setInterval(int(std::min<unsigned>(scrollInterval_, INT_MAX)));
    if (scrolling_ && scrollInterval_ > 0)
        timer_.start();
    else
        timer_.stop();
}

void TLxScrollingLabel::Scroll() {
    if (workText_.isEmpty()) return;
    workText_ = ScrolledOnce(workText_, scrollDirection_);
    SetCaption(workText_);
}

void TLxScrollingLabel::resizeEvent(QResizeEvent* event) {
    TLxCustomLabel::resizeEvent(event);
    SetNoGrap(noGrap_);
}

void TLxScrollingLabel::changeEvent(QEvent* event) {
    TLxCustomLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) SetNoGrap(noGrap_);
}
