#pragma once

#include "log_sink.h"

namespace murkwell::bench {

// One game as a busy server logs it: a DeathMatch, Team DeathMatch or
// Capture the Flag game of 8 to 20 clients, mostly item pickups and kills,
// some chat and user-info changes, and usually the exit, team-score and
// score lines and the shutdown at the end.
void WriteServerGame(LogSink& log, Random& random);

// One DeathMatch game in which `clients` distinct clients are announced
// and each gets a score line, in an order unrelated to the order they came in.
void WriteCrowdedGame(LogSink& log, Random& random, int clients);

}  // namespace murkwell::bench
