#pragma once

// The record model as the view sees it. The model names a field "slots", which Qt's keyword
// macro of that name would swallow; this view writes Q_SLOTS and Q_SIGNALS only, so the two
// keyword macros are dropped before the model is read. Include this instead of the model headers.
#include <QtCore/qobjectdefs.h>

#undef slots
#undef signals

#include "ChapterInfo.h"
#include "GameRecord.h"
