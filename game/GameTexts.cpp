// SPDX-License-Identifier: MIT
#include "GameTexts.h"

namespace numbrax::texts {

std::string_view PassMessage(Side side)
{
    // "комьютера" is the program's own spelling; players know the message by it.
    return side == Side::Computer ? "Компьютеру некуда ходить. Ваш ход." : "Вам некуда ходить. Ход комьютера.";
}

std::string_view ResultText(GameResult result)
{
    switch (result) {
    case GameResult::Draw:
        return "Ничья";
    case GameResult::ComputerWon:
        return "Очень жаль, но Вы проиграли.";
    case GameResult::PlayerWon:
        break;
    }
    return "Поздравляю! Вы выиграли.";
}

std::string GameOverMessage(GameResult result)
{
    return "Конец игры. " + std::string(ResultText(result));
}

} // namespace numbrax::texts
