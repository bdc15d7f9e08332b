#pragma once

#include <QAbstractItemView>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

// Gives a channel table the room its columns and rows need (up to MaxWidth × MaxHeight), so that the
// window opens with every column readable instead of a scroll bar over a squeezed table.
inline void FitTableToContents(QTableWidget* Table, int MaxWidth = 1500, int MaxHeight = 560) {
    const int frame = 2 * Table->frameWidth();
    int width = frame + (Table->verticalHeader()->isVisible() ? Table->verticalHeader()->width() : 0);
    for (int c = 0; c < Table->columnCount(); ++c)
        width += Table->columnWidth(c);
    int height = frame + Table->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < Table->rowCount(); ++r)
        height += Table->rowHeight(r);
    if (height > MaxHeight)
        width += Table->verticalScrollBar()->sizeHint().width();
    Table->setMinimumWidth(std::min(width, MaxWidth));
    Table->setMinimumHeight(std::min(std::max(height, 120), MaxHeight));
}
