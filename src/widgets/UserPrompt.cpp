#include "UserPrompt.h"

QString UserPrompt::Caption() { return QStringLiteral("Korvale"); }
