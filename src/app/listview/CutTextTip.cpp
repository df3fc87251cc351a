#include "CutTextTip.h"

#include <QAbstractItemView>
#include <QToolTip>

bool ShowCutTextTip(QAbstractItemView* view, const QPoint& pos, const QPoint& globalPos)
{
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) {
        QToolTip::hideText();
        return true;
    }
    const QRect cell = view->visualRect(index);
    const QSize needed = view->sizeHintForIndex(index);
    if (needed.width() <= cell.width()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(globalPos, index.data(Qt::DisplayRole).toString(), view->viewport(), cell);
    return true;
}
