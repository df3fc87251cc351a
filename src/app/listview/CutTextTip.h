#pragma once

class QAbstractItemView;
class QPoint;

// The whole text of the cell under `pos` as a tool tip, when the cell shows only part of it; any
// other tip is hidden. Always consumes the tool-tip event.
bool ShowCutTextTip(QAbstractItemView* view, const QPoint& pos, const QPoint& globalPos);
