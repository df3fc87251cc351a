#pragma once

#include <QStringList>

namespace Mgx {
struct GameRecord;
}

// The panel's text as lines: the eight settings labels, the duration and version, one line per
// lobby position (name, civilization, kind, team, colour, recorder), then the chat list. A record
// the panel would not show gives the reset captions and empty positions.
QStringList PanelSummaryLines(const Mgx::GameRecord& record);
