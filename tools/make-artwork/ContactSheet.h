#pragma once

#include <QImage>

// A review sheet (not embedded): all emblems in their 18 x 8 table at real size and at three
// times that, with the other pictures beside them.
QImage ContactSheet();
