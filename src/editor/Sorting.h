// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct ProgramState;

// The four sorts of the word list. Each reorders slots 0..WordCount of the two word arrays in
// place, moving whole pairs, by one language's words compared without regard to case in the
// user's locale. They are the exchange sort the editor has always used, exchange for exchange,
// so pairs with equal keys end up where they always did (the sort is not stable).
// Ascending sorts never bring an empty key forward: a pair with an empty key keeps its slot.
void sortForeignAZ(ProgramState& state);
void sortForeignZA(ProgramState& state);
void sortEstonianAZ(ProgramState& state);
void sortEstonianZA(ProgramState& state);
