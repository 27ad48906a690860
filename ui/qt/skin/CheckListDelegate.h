#pragma once
// Draws the tick boxes of a skinned check list so that an empty box stays visible on the
// list's dark background: an outline in the text colour, a tick in the skin's accent
// (the list's selection colour, which each skin's style sheet sets).
#include <QStyledItemDelegate>

namespace skin {

class TsCheckListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace skin
