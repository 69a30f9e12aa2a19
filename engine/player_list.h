#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace murkwell {

// One player of the game being read.
struct CPlayer {
    std::int32_t m_nScore = 0;   // from the player's last score line
    std::int32_t m_nPing = 0;    // from the player's last score line
    std::string m_szName;        // colour codes removed
    std::string m_szTeam;        // "1" red, "2" blue in team games
    bool m_bScored = false;      // has a score line whose table row is not written yet
    std::int64_t m_nRank = 0;    // order of the player's last score line; orders the table rows
};

// The roster of the current game, in the order players were first announced,
// found by the server's client number. It owns its players and never holds two
// with the same client number; the index keeps look-ups constant-time however
// many clients a busy server sees.
class CPlayerList {
public:
    using Players = std::vector<std::unique_ptr<CPlayer>>;

    CPlayer* Find(std::int32_t client) const;
    CPlayer& AddTail(std::int32_t client);
    void RemoveAllPlayers();

    Players::const_iterator begin() const { return m_players.begin(); }
    Players::const_iterator end() const { return m_players.end(); }

private:
    Players m_players;
    std::unordered_map<std::int32_t, CPlayer*> m_byClient;
};

}  // namespace murkwell
