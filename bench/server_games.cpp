#include "server_games.h"

#include <algorithm>
#include <cstdarg>
#include <numeric>
#include <string>
#include <vector>

namespace murkwell::bench {

namespace {

enum GameType { kDeathMatch = 0, kTeamDeathMatch = 3, kCaptureTheFlag = 4 };
enum Team { kFree = 0, kRed = 1, kBlue = 2 };

// Names as players type them: colour codes, clan tags, spaces, now and then a
// character that the page has to escape.
constexpr const char* kNames[] = {
    "^1Ember^7Fox",  "^4Tide^7walker",  "Quillon",        "^3Gold^5Finch",   "Marrow",
    "Tallow Jack",   "^2Sable",         "Brine",          "^1Cin^3der",      "Ospry",
    "[NX]Halcyon",   "^6Wicket",        "Thorne",         "=K=Pike",         "^5Gannet",
    "Rook <afk>",    "Loam",            "^7Fen^1nel",     "Grist",           "^^12Ashgrove",
    "Kestrel",       "^3Nettle^0Dark",  "Bramble",        "^1Cor^4vid",      "Tom & Jerry",
    "Slate",         "^2Moss^7Back",    "Wren",           "^5\"Quick\" Ned", "Harrow",
    "Scout",         "^4Lantern",       "Umber",          "^6Vesper",        "Flint",
};
constexpr const char* kModels[] = {
    "sarge", "visor", "doom",   "major", "keel",  "ranger", "xian",  "uriel", "klesk",  "anarki",
    "crash", "grunt", "hunter", "lucy",  "mynx",  "orbb",   "razor", "slash", "sorlag", "tankjr",
};
constexpr const char* kSkins[] = {"default", "red", "blue", "sharp", "pi"};
constexpr const char* kDeathMatchMaps[] = {"q3dm1", "q3dm3", "q3dm6", "q3dm7", "q3dm13", "q3dm17", "q3tourney2"};
constexpr const char* kFlagMaps[] = {"q3ctf1", "q3ctf2", "q3ctf3", "q3ctf4", "q3tourney6_ctf"};
constexpr const char* kItems[] = {
    "weapon_rocketlauncher", "weapon_railgun",   "weapon_shotgun",    "weapon_plasmagun",
    "weapon_lightning",      "weapon_grenadelauncher", "ammo_rockets", "ammo_slugs",
    "ammo_shells",           "ammo_cells",       "ammo_lightning",    "ammo_bullets",
    "ammo_grenades",         "item_armor_shard", "item_armor_combat", "item_armor_body",
    "item_health",           "item_health_small", "item_health_large", "item_health_mega",
    "item_quad",             "item_haste",       "item_regen",
};
struct Weapon {
    int number;
    const char* name;
};
constexpr Weapon kWeapons[] = {
    {1, "MOD_SHOTGUN"},       {2, "MOD_GAUNTLET"}, {3, "MOD_MACHINEGUN"}, {5, "MOD_GRENADE_SPLASH"},
    {6, "MOD_ROCKET"},        {7, "MOD_ROCKET_SPLASH"}, {8, "MOD_PLASMA"}, {9, "MOD_PLASMA_SPLASH"},
    {10, "MOD_RAILGUN"},      {11, "MOD_LIGHTNING"},
};
constexpr Weapon kWorldDeaths[] = {{16, "MOD_LAVA"}, {19, "MOD_FALLING"}, {22, "MOD_TRIGGER_HURT"}};
// Players type all sorts of things, some of which look like server events.
constexpr const char* kChat[] = {
    "gg",
    "nice shot",
    "lol",
    "rematch?",
    "who took the quad",
    "lag...",
    "brb",
    "camping the rail again?",
    "ShutdownGame: vote next map",
    "score: 99  ping: 0  client: 0 me",
    "red:10  blue:0 easy",
    "InitGame: \\g_gametype\\4\\mapname\\q3ctf4",
};
constexpr int kWorld = 1022;

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, int{sizeof text} - 1)));
}

struct Client {
    int number = 0;
    std::string name;
    std::string model;
    int team = kFree;
    int score = 0;
    int ping = 0;
};

std::string ServerSettings(int type, int maxClients, const char* map) {
    return Printf(
        "InitGame: \\sv_hostname\\Murkwell Bench Arena\\sv_maxclients\\%d\\sv_floodProtect\\1"
        "\\sv_maxRate\\25000\\sv_minPing\\0\\sv_maxPing\\400\\g_gametype\\%d\\dmflags\\0"
        "\\fraglimit\\%d\\timelimit\\%d\\capturelimit\\8\\g_maxGameClients\\0\\sv_allowDownload\\1"
        "\\version\\ioq3 1.36 linux-x86_64\\protocol\\68\\mapname\\%s\\gamename\\baseq3\\g_needpass\\0",
        maxClients, type, type == kCaptureTheFlag ? 0 : 30, type == kCaptureTheFlag ? 20 : 15, map);
}

std::string UserInfo(const Client& client) {
    return Printf(
        "ClientUserinfoChanged: %d n\\%s\\t\\%d\\model\\%s\\hmodel\\%s\\g_redteam\\\\g_blueteam\\\\"
        "c1\\%d\\c2\\%d\\hc\\100\\w\\0\\l\\0\\tt\\0\\tl\\0",
        client.number, client.name.c_str(), client.team, client.model.c_str(), client.model.c_str(),
        client.number % 7 + 1, client.number % 5 + 1);
}

void Announce(LogSink& log, int clock, const Client& client) {
    log.Line(clock, Printf("ClientConnect: %d", client.number));
    log.Line(clock, UserInfo(client));
    log.Line(clock, Printf("ClientBegin: %d", client.number));
}

void WriteKill(LogSink& log, Random& random, int clock, std::vector<Client>& clients) {
    Client& victim = clients[random.Next() % clients.size()];
    if (random.Percent(8)) {
        const Weapon& death = random.Pick(kWorldDeaths);
        log.Line(clock, Printf("Kill: %d %d %d: <world> killed %s by %s", kWorld, victim.number, death.number,
                               victim.name.c_str(), death.name));
        --victim.score;
        return;
    }
    Client& killer = clients[random.Next() % clients.size()];
    const Weapon& weapon = random.Pick(kWeapons);
    log.Line(clock, Printf("Kill: %d %d %d: %s killed %s by %s", killer.number, victim.number, weapon.number,
                           killer.name.c_str(), victim.name.c_str(), weapon.name));
    killer.score += &killer == &victim ? -1 : 1;
}

// The server's final standings: best score first, ties in the order of the
// client slots.
void WriteScores(LogSink& log, int clock, std::vector<Client> clients) {
    std::stable_sort(clients.begin(), clients.end(),
                     [](const Client& a, const Client& b) { return a.score > b.score; });
    for (const Client& client : clients) {
        log.Line(clock, Printf("score: %d  ping: %d  client: %d %s", client.score, client.ping, client.number,
                               client.name.c_str()));
    }
}

}  // namespace

void WriteServerGame(LogSink& log, Random& random) {
    const int roll = random.Between(1, 10);
    const int type = roll <= 4 ? kDeathMatch : roll <= 7 ? kTeamDeathMatch : kCaptureTheFlag;
    const bool teamGame = type != kDeathMatch;
    const int maxClients = 24;

    // Slots are handed out from a shuffled range, so client numbers have gaps.
    std::vector<int> slots(maxClients);
    std::iota(slots.begin(), slots.end(), 0);
    for (std::size_t i = slots.size() - 1; i > 0; --i) {
        std::swap(slots[i], slots[random.Next() % (i + 1)]);
    }
    std::vector<Client> clients(static_cast<std::size_t>(random.Between(8, 20)));
    for (std::size_t i = 0; i < clients.size(); ++i) {
        Client& client = clients[i];
        client.number = slots[i];
        client.name = random.Pick(kNames);
        client.team = teamGame ? (i % 2 == 0 ? kRed : kBlue) : kFree;
        client.model = Printf("%s/%s", random.Pick(kModels),
                              teamGame ? (client.team == kRed ? "red" : "blue") : random.Pick(kSkins));
        client.ping = random.Between(5, 180);
    }

    int clock = 0;
    log.Line(clock, "------------------------------------------------------------");
    const char* map = type == kCaptureTheFlag ? random.Pick(kFlagMaps) : random.Pick(kDeathMatchMaps);
    log.Line(clock, ServerSettings(type, maxClients, map));
    for (const Client& client : clients) {
        clock += random.Between(0, 1);
        Announce(log, clock, client);
    }

    int redFlags = 0;
    int blueFlags = 0;
    const int events = static_cast<int>(clients.size()) * random.Between(40, 120);
    for (int event = 0; event < events; ++event) {
        if (random.Percent(40)) {
            ++clock;
        }
        Client& actor = clients[random.Next() % clients.size()];
        const int kind = random.Between(1, 1000);
        if (kind <= 600) {
            log.Line(clock, Printf("Item: %d %s", actor.number, random.Pick(kItems)));
        } else if (kind <= 880) {
            WriteKill(log, random, clock, clients);
        } else if (kind <= 910 && type == kCaptureTheFlag) {
            const bool red = actor.team == kRed;
            log.Line(clock, Printf("Item: %d %s", actor.number, red ? "team_CTF_blueflag" : "team_CTF_redflag"));
            (red ? redFlags : blueFlags) += random.Percent(30) ? 1 : 0;
        } else if (kind <= 960) {
            const char* channel = teamGame && random.Percent(40) ? "sayteam" : "say";
            log.Line(clock, Printf("%s: %s: %s", channel, actor.name.c_str(), random.Pick(kChat)));
        } else if (kind <= 990) {
            // A new model, a new name or, in team games, the other team.
            if (random.Percent(30)) {
                actor.name = random.Pick(kNames);
            } else if (teamGame && random.Percent(50)) {
                actor.team = actor.team == kRed ? kBlue : kRed;
            } else {
                actor.model = random.Pick(kModels);
            }
            log.Line(clock, UserInfo(actor));
        } else {
            log.Line(clock, Printf("ClientDisconnect: %d", actor.number));
            actor.score = 0;
            clock += random.Between(1, 20);
            Announce(log, clock, actor);
        }
    }

    // Most games end by a limit; some are cut short by a map vote (no scores)
    // or by a server restart (no end at all).
    const int ending = random.Between(1, 100);
    if (ending <= 4) {
        return;
    }
    if (ending > 10) {
        const char* reason = type == kCaptureTheFlag ? "Capturelimit hit."
                             : random.Percent(60)     ? "Fraglimit hit."
                                                      : "Timelimit hit.";
        log.Line(clock, Printf("Exit: %s", reason));
        if (teamGame) {
            int red = redFlags;
            int blue = blueFlags;
            if (type == kTeamDeathMatch) {
                for (const Client& client : clients) {
                    (client.team == kRed ? red : blue) += client.score;
                }
            }
            log.Line(clock, Printf("red:%d  blue:%d", red, blue));
        }
        WriteScores(log, clock, clients);
    }
    clock += random.Between(3, 8);
    log.Line(clock, "ShutdownGame:");
    log.Line(clock, "------------------------------------------------------------");
}

void WriteCrowdedGame(LogSink& log, Random& random, int clients) {
    std::vector<Client> crowd(static_cast<std::size_t>(clients));
    for (std::size_t i = 0; i < crowd.size(); ++i) {
        Client& client = crowd[i];
        client.number = static_cast<int>(i);
        client.name = Printf("%s%zu", random.Pick(kNames), i);
        client.model = random.Pick(kModels);
        client.score = random.Between(-5, 60);
        client.ping = random.Between(5, 180);
    }
    log.Line(0, "------------------------------------------------------------");
    log.Line(0, ServerSettings(kDeathMatch, clients, "q3dm17"));
    for (const Client& client : crowd) {
        Announce(log, 0, client);
    }
    const int end = 15 * 60;
    log.Line(end, "Exit: Timelimit hit.");
    WriteScores(log, end, crowd);
    log.Line(end, "ShutdownGame:");
    log.Line(end, "------------------------------------------------------------");
}

}  // namespace murkwell::bench
