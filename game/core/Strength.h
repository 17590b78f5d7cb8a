// SPDX-License-Identifier: MIT
#pragma once

namespace numbrax {

// How hard the computer plays. Normal weighs each number of its line against the best number it
// would open to the player, two picks ahead; the others play weaker or search deeper.
enum class Strength { Novice, Normal, Strong, Master };

} // namespace numbrax
