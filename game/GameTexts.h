// SPDX-License-Identifier: MIT
#pragma once

#include "NumbraxGame.h"

#include <string>
#include <string_view>

// The words the game says about what happens in it, in UTF-8: one table for every view of the
// rules (the window's message boxes and score panel, the replay driver's transcript). A
// translation replaces this table and touches no rule.
namespace numbrax::texts {

// Said when a side's line holds no number and the other side picks again.
std::string_view PassMessage(Side side);
// The result as the score panel keeps it until the next new game.
std::string_view ResultText(GameResult result);
// The message at the end of a game, the result text included.
std::string GameOverMessage(GameResult result);

} // namespace numbrax::texts
