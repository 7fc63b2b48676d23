#include "ListRows.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QStyledItemDelegate>

#include <algorithm>

namespace qbx {
namespace {

class FixedRowHeight : public QStyledItemDelegate {
public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(height_);
        return s;
    }

private:
    int height_;
};

} // namespace

void fitRows(QListWidget* list, int rows)
{
    if (!list || rows <= 0)
        return;
    const int frame = list->frameWidth();
    const int inside = list->height() - 2 * frame;
    const QFontMetrics fm(list->font());
    const int height = std::max(fm.ascent(), inside / rows);
    list->setUniformItemSizes(true);
    list->setSpacing(0);
    list->setItemDelegate(new FixedRowHeight(height, list));
}

} // namespace qbx
