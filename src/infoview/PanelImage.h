#pragma once

#include <QImage>

namespace Mgx {
struct GameRecord;
}

// The whole information panel with the record shown, painted off screen at its usual size.
// It never asks the user anything: a record that would offer the repair shows the reset panel.
// Needs a QApplication.
QImage RenderPanelImage(const Mgx::GameRecord& record);
