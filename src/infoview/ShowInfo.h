#pragma once

#include <QString>

class InfoContainer;
class UserPrompt;

namespace Mgx {

struct GameRecord;

// The question asked when a record's first field is zero.
QString RepairQuestion();

// Shows a record in the information pane: labels, objectives, players, chat, duration and map.
// A null record, one without chapters or one still being built leaves the pane reset. A record
// whose body start is missing shows nothing and instead offers the repair.
void ShowInfo(const GameRecord* record, InfoContainer& pane, UserPrompt& prompt);

} // namespace Mgx
