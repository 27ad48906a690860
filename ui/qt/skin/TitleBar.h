#pragma once
// The caption strip we draw ourselves (the window is frameless so its outer size is ours on
// every platform): the caption, extra items with hints and mouse-up events, a close button.
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <vector>

namespace skin {

class TsTitleBarItem : public QToolButton {
    Q_OBJECT
public:
    TsTitleBarItem(const QString& caption, int width, int height, QWidget* parent);

signals:
    // Any button released over the item.
    void mouseUp(Qt::MouseButton button);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TsTitleBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 25;

    explicit TsTitleBar(QWidget* window);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_->text(); }
    // Items are laid out from the right edge leftwards in the order they are added, item 0
    // leftmost; a caption wider than the given width widens the item rather than being cut.
    TsTitleBarItem* AddItem(const QString& caption, int width, int height);
    TsTitleBarItem* Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    QLabel* CaptionLabel() const { return caption_; }
    QToolButton* CloseButton() const { return close_; }

signals:
    void closeRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arrange();

    QLabel* caption_;
    QToolButton* close_;
    std::vector<TsTitleBarItem*> items_;
};

}  // namespace skin
