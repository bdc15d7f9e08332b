#pragma once

#include <QAbstractItemView>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

// Gives a channel table the room its columns and rows need (up to MaxWidth × MaxHeight), so that the
// window opens with every column readable instead of a scroll bar over a squeezed table.
inline void FitTableToContents(QTableWidget* Table, int MaxWidth = 1500, int MaxHeight = 560) {
    // The style's margins and fonts count only once the table is polished, which showing it does.
    Table->ensurePolished();
    const int frame = 2 * Table->frameWidth();
    int width = frame + (Table->verticalHeader()->isVisible() ? Table->verticalHeader()->width() : 0);
    // Before the table is first shown its sections may not have taken their contents' width yet, so
    // the contents and the header are asked as well.
    const QAbstractItemView* view = Table;
    for (int c = 0; c < Table->columnCount(); ++c)
        width += std::max({Table->columnWidth(c), view->sizeHintForColumn(c),
                           Table->horizontalHeader()->sectionSizeHint(c)});
    int height = frame + Table->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < Table->rowCount(); ++r)
        height += Table->rowHeight(r);
    if (height > MaxHeight)
        width += Table->verticalScrollBar()->sizeHint().width();
    Table->setMinimumWidth(std::min(width, MaxWidth));
    Table->setMinimumHeight(std::min(std::max(height, 120), MaxHeight));
}
