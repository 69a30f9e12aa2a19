#include "player_list.h"

namespace murkwell {

CPlayer* CPlayerList::Find(std::int32_t client) const {
    const auto found = m_byClient.find(client);
    return found == m_byClient.end() ? nullptr : found->second;
}

CPlayer& CPlayerList::AddTail(std::int32_t client) {
    auto& player = m_players.emplace_back(std::make_unique<CPlayer>());
    m_byClient.emplace(client, player.get());
    return *player;
}

void CPlayerList::RemoveAllPlayers() {
    m_byClient.clear();
    m_players.clear();
}

}  // namespace murkwell
