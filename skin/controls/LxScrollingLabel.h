#pragma once

#include "skin/controls/LxCustomLabel.h"
#include "skin/controls/ScrollingText.h"

#include <QTimer>

// A label whose Text runs round through it, one character every
// ScrollInterval milliseconds while Scrolling is on. Unless NoGrap, the text
// is padded with spaces to the label's width so that it leaves the label
// before it comes round again.
class TLxScrollingLabel : public TLxCustomLabel {
    Q_OBJECT
public:
    explicit TLxScrollingLabel(QWidget* parent = nullptr);

    QString Text() const { return text_; }
    void SetText(const QString& value);
    // The padded, rotating copy of Text that is shown.
    QString WorkText() const { return workText_; }

    bool NoGrap() const { return noGrap_; }
    void SetNoGrap(bool value);
    bool Scrolling() const { return scrolling_; }
    void SetScrolling(bool value);
    // 0 stops the scrolling until a non-zero interval is written.
    unsigned ScrollInterval() const { return scrollInterval_; }
    void SetScrollInterval(unsigned value);
    TDirection ScrollDirection() const { return scrollDirection_; }
    void SetScrollDirection(TDirection value) { scrollDirection_ = value; }

    // One scrolling step, as the timer takes it.
    void Scroll();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateTimer();

    QTimer timer_;
    QString text_;
    QString workText_;
    unsigned scrollInterval_ = 50;
    TDirection scrollDirection_ = sdLeftToRight;
    bool scrolling_ = true;
    bool noGrap_ = false;
};
