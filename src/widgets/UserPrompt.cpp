#include "UserPrompt.h"

QString UserPrompt::caption() { return QStringLiteral("Korvale"); }
