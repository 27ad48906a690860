#include "ui/qt/skin/CheckListDelegate.h"

#include <QApplication>
#include <QPainter>

#include "ui/qt/skin/CheckMark.h"

namespace skin {

void TsCheckListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if (!(item.features & QStyleOptionViewItem::HasCheckIndicator)) return;

    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, item.widget)
                          .adjusted(1, 1, -1, -1);
    PaintCheckMark(*painter, box,
                   {item.palette.color(QPalette::Base), item.palette.color(QPalette::Text),
                    item.palette.color(QPalette::Highlight)},
                   item.checkState == Qt::Checked);
}

}  // namespace skin
