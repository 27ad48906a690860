#include "ui/qt/skin/TitleBar.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>

#include "ui/qt/skin/Fonts.h"

namespace skin {

TsTitleBarItem::TsTitleBarItem(const QString& caption, int width, int height, QWidget* parent)
    : QToolButton(parent) {
    setText(caption);
    setProperty("class", QStringLiteral("sTitleItem"));
    setFont(Tahoma(8));
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    // The stated width holds; only a caption the font makes wider than it widens the item.
    const int needed = fontMetrics().horizontalAdvance(caption) + 4;
    setFixedSize(std::max(width, needed), height);
}

void TsTitleBarItem::mouseReleaseEvent(QMouseEvent* event) {
    QToolButton::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint())) emit mouseUp(event->button());
}

TsTitleBar::TsTitleBar(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("sTitleBar"));
    setAttribute(Qt::WA_StyledBackground);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("sTitleCaption"));
    caption_->setFont(Tahoma(8, true));
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("sTitleClose"));
    close_->setText(QStringLiteral("✕"));
    close_->setFont(Tahoma(10, true));
    close_->setFocusPolicy(Qt::NoFocus);
    close_->setFixedSize(kHeight + 4, kHeight - 4);
    connect(close_, &QToolButton::clicked, this, &TsTitleBar::closeRequested);
    window->installEventFilter(this);
    Arrange();
}

void TsTitleBar::SetCaption(const QString& caption) {
    caption_->setText(caption);
    Arrange();
}

TsTitleBarItem* TsTitleBar::AddItem(const QString& caption, int width, int height) {
    auto* item = new TsTitleBarItem(caption, width, height, this);
    item->installEventFilter(this);  // follow show/hide to close the gap
    items_.push_back(item);
    Arrange();
    return item;
}

void TsTitleBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

bool TsTitleBar::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == parent() && type == QEvent::Resize) {
        resize(parentWidget()->width(), kHeight);
    } else if (type == QEvent::Show || type == QEvent::Hide) {
        Arrange();
    }
    return QWidget::eventFilter(watched, event);
}

void TsTitleBar::Arrange() {
    int right = width() - 2;
    close_->move(right - close_->width(), 2);
    right -= close_->width() + 4;
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        TsTitleBarItem* item = *it;
        if (item->isHidden()) continue;
        item->move(right - item->width(), (kHeight - item->height()) / 2);
        right -= item->width() + 2;
    }
    const int captionWidth = caption_->fontMetrics().horizontalAdvance(caption_->text()) + 4;
    caption_->setGeometry(8, 0, std::max(0, std::min(captionWidth, right - 8)), kHeight);
}

}  // namespace skin
